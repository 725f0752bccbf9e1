#include "RecordTexts.h"

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
