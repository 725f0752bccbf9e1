#include "core/frames/RecordTexts.h"

#include <gtest/gtest.h>

using namespace zurval;

namespace {

CycleFrame frame(int mark, RecorderTime time, RecorderDate date, bool dated) {
    CycleFrame f;
    f.mark = mark;
    f.time = time;
    f.date = date;
    f.dated = dated;
    f.decoded = true;
    return f;
}

OverloadRecord overload(int loadPercent, RecorderDate date, bool intact) {
    OverloadRecord o;
    o.loadPercent = loadPercent;
    o.date = date;
    o.intact = intact;
    o.decoded = true;
    return o;
}

} // namespace

TEST(RecordTexts, TimesAndDatesShowTheStoredBytesAsHexadecimalDigits) {
    const RecorderTime noon{0x11, 0x56, 0x40};
    const RecorderDate day{0x15, 0x03, 0x06};
    const struct {
        const char* what;
        CycleFrame frame;
        const char* text;
    } cases[] = {
        {"a date frame", frame(0xA0, {}, day, true), "15.03.06"},
        {"the other date mark", frame(0x91, {}, day, true), "15.03.06"},
        {"a dated time frame", frame(2, noon, day, true), "11:56:40 15.03.06"},
        {"a ring without date frames", frame(2, noon, {}, false), "11:56:40 "},
        {"bytes that are no BCD", frame(2, {0xFF, 0x0A, 0xB0}, {0x3F, 0xFF, 0x00}, true),
         "FF:0A:B0 3F.FF.00"},
        {"a reset entry", CycleFrame{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frameTimeText(c.frame), QString::fromUtf8(c.text)) << c.what;

    EXPECT_EQ(overloadDateText(overload(121, {0x05, 0x06, 0x19}, true)),
              QStringLiteral("05.06.19"));
    EXPECT_EQ(overloadDateText(overload(0, {0x05, 0x06, 0x19}, true)), QString()); // empty record
}

TEST(RecordTexts, WordsAndChecksumStatesAreEmptyInAResetEntry) {
    EXPECT_EQ(bitText(0x8001), QStringLiteral("1000000000000001"));
    CycleFrame f = frame(2, {}, {}, false);
    f.relays = 0x4000;
    EXPECT_EQ(wordText(f, &CycleFrame::relays), QStringLiteral("0100000000000000"));
    EXPECT_EQ(wordText(CycleFrame{}, &CycleFrame::relays), QString());

    EXPECT_EQ(checksumText(f), QStringLiteral("Брак"));
    f.intact = true;
    EXPECT_EQ(checksumText(f), QStringLiteral("Норма"));
    EXPECT_EQ(checksumText(CycleFrame{}), QString());
    EXPECT_EQ(checksumText(overload(0, {}, true)), QStringLiteral("Норма"));
    EXPECT_EQ(checksumText(overload(130, {}, false)), QStringLiteral("Брак"));
    EXPECT_EQ(checksumText(OverloadRecord{}), QString());
}

TEST(RecordTexts, StampsAreDatesOfTheYears2000To2099AndNoneWhenNoSuchDayOrTime) {
    EXPECT_EQ(calendarDate({0x15, 0x03, 0x06}), QDate(2006, 3, 15));
    EXPECT_EQ(calendarDate({0x01, 0x01, 0x31}), QDate(2031, 1, 1));
    EXPECT_EQ(calendarDate({0x31, 0x12, 0x99}), QDate(2099, 12, 31));
    const RecorderDate noDay[] = {{0x31, 0x02, 0x06},
                                  {0x00, 0x00, 0x00},
                                  {0x01, 0x13, 0x26},
                                  {0x1A, 0x03, 0x06},
                                  {0xFF, 0xFF, 0xFF}};
    for (const RecorderDate& d : noDay)
        EXPECT_EQ(calendarDate(d), std::nullopt) << int(d.day) << "." << int(d.month);
    EXPECT_EQ(clockTime({0x23, 0x59, 0x59}), QTime(23, 59, 59));
    const RecorderTime noTime[] = {{0x24, 0x00, 0x00}, {0x10, 0x60, 0x00}, {0x0A, 0x00, 0x00}};
    for (const RecorderTime& t : noTime)
        EXPECT_EQ(clockTime(t), std::nullopt) << int(t.hours) << ":" << int(t.minutes);
}

TEST(RecordTexts, SpreadsheetsGetWordsInGroupsOfFourAndStampsAsDatesOrAsAMarkedText) {
    EXPECT_EQ(bitGroupsText(0xA017), QStringLiteral("1010 0000 0001 0111"));
    EXPECT_EQ(bitGroupsText(0x0003), QStringLiteral("0000 0000 0000 0011"));

    const RecorderTime morning{0x10, 0x08, 0x00};
    const RecorderDate day{0x02, 0x03, 0x26};
    const struct {
        const char* what;
        CycleFrame frame;
        const char* dayFirst;
        const char* yearFirst;
    } cases[] = {
        {"a date frame", frame(0xA0, {}, day, true), "02.03.2026", "2026-03-02"},
        {"a dated time frame", frame(2, morning, day, true), "02.03.2026 10:08:00",
         "2026-03-02 10:08:00"},
        {"from 2030 on", frame(2, morning, {0x31, 0x12, 0x30}, true), "31.12.2030 10:08:00",
         "2030-12-31 10:08:00"},
        {"a ring without date frames", frame(2, morning, {}, false), "10:08:00", "10:08:00"},
        {"no such day", frame(2, morning, {0x31, 0x02, 0x26}, true), "неверно: 10:08:00 31.02.26",
         "неверно: 10:08:00 31.02.26"},
        {"bytes that are no BCD", frame(2, {0xFF, 0x0A, 0xB0}, day, true),
         "неверно: FF:0A:B0 02.03.26", "неверно: FF:0A:B0 02.03.26"},
        {"an erased date frame", frame(0xA0, {}, {0xFF, 0xFF, 0xFF}, true), "неверно: FF.FF.FF",
         "неверно: FF.FF.FF"},
        {"a reset entry", CycleFrame{}, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frameTimeText(c.frame, {u',', false}), QString::fromUtf8(c.dayFirst)) << c.what;
        EXPECT_EQ(frameTimeText(c.frame, {u'.', true}), QString::fromUtf8(c.yearFirst)) << c.what;
    }

    EXPECT_EQ(overloadDateText(overload(121, {0x05, 0x06, 0x19}, true), {}),
              QStringLiteral("05.06.2019"));
    EXPECT_EQ(overloadDateText(overload(121, {0x1A, 0x03, 0x06}, true), {}),
              QStringLiteral("неверно: 1A.03.06"));
    EXPECT_EQ(overloadDateText(overload(0, {0x05, 0x06, 0x19}, true), {}), QString());
}
