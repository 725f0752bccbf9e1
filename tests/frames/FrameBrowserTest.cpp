#include "core/frames/FrameBrowser.h"
#include "core/common/NumberFormat.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

using namespace zurval;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

CycleFrame frame(int number, float radius) {
    CycleFrame f;
    f.number = number;
    f.wind = 2.5f;
    f.travel = -1.5f;
    f.hookHeight = 30.12f;
    f.azimuth = 359.9f;
    f.temperature = 25;
    f.radius = radius;
    f.force = 4321;
    f.loadMass = 8.125f;
    f.inputs = 0x8001;
    f.relays = 0x4000;
    f.limitsEntered = 0x0600;
    f.limitsTriggered = 0x0001;
    f.loadMoment = 87;
    f.time = {0x11, 0x56, 0x40};
    f.date = {0x15, 0x03, 0x06};
    f.dated = true;
    f.health = 4;
    f.limitsReached = 1;
    f.mark = 2;
    f.intact = true;
    f.decoded = true;
    return f;
}

// A list whose entry k is frame k with radius 12.34 m, except frame 7166.
std::unique_ptr<FrameArray> frames() {
    auto list = std::make_unique<FrameArray>();
    for (int k = 0; k < kFrameCapacity; ++k)
        (*list)[k] = frame(k, k == 7166 ? 0.0f : 12.34f);
    return list;
}

// Every frame but the newest, so that entry 7167 is a reset entry.
FrameSelection allButTheNewest() {
    FrameSelection selection;
    for (int k = 0; k < kFrameCapacity - 1; ++k)
        selection.add(k);
    return selection;
}

std::set<QString> namesOf(const std::vector<const char*>& names) {
    std::set<QString> out;
    for (const char* n : names)
        out.insert(QString::fromUtf8(n));
    return out;
}

} // namespace

TEST(BrowserColumns, FillsByTheirOwnRules) {
    setDecimalSeparator(QChar(','));
    const auto list = frames();
    const auto selection = std::make_unique<FrameSelection>(allButTheNewest());
    auto columns = [&](int start, BrowserFill fill) {
        return browserColumns(*list, *selection, start, fill);
    };
    using Frames = std::array<std::optional<int>, kBrowserColumns>;
    const BrowserColumns opening = columns(7165, BrowserFill::AfterOpening);
    EXPECT_EQ(opening.cells[0],
              (FrameColumn{q("7165"), q("2,50"), q("-1,50"), q("30,12"), q("359,90"), q("25,00"),
                           q("12,34"), q("4321,00"), q("8,13"), q("1000000000000001"),
                           q("0100000000000000"), q("0000011000000000"), q("0000000000000001"),
                           q("87"), q("11:56:40 15.03.06"), q("4"), q("1"), q("2"), q("Норма")}));
    EXPECT_EQ(opening.cells[1][kBrowserRowDateTime], q("11:56:40 15.03.06")); // radius 0, yet shown
    EXPECT_EQ(opening.cells[2][kBrowserRowTemperature], q("0,00")); // a reset entry's zeros
    EXPECT_EQ(opening.frames, (Frames{7165, 7166, std::nullopt}));

    const BrowserColumns scrolled = columns(7165, BrowserFill::Scrolling);
    EXPECT_EQ(scrolled.cells[0][kBrowserRowTemperature], q("25"));
    EXPECT_EQ(scrolled.cells[0][kBrowserRowDateTime], q("11:56:40 15.03.06"));
    EXPECT_EQ(scrolled.cells[1][kBrowserRowDateTime], QString()); // radius exactly 0
    EXPECT_EQ(scrolled.cells[1][kBrowserRowRelays], q("0100000000000000"));
    EXPECT_EQ(scrolled.cells[2], FrameColumn{}); // a reset entry is no frame
    EXPECT_EQ(scrolled.frames, (Frames{7165, 7166, std::nullopt}));

    const BrowserColumns selected = columns(7165, BrowserFill::AfterSelection);
    EXPECT_EQ(selected.cells[0][kBrowserRowTemperature], q("25,00"));
    EXPECT_EQ(selected.cells[1], FrameColumn{}); // radius 0: left empty
    EXPECT_EQ(selected.cells[2], FrameColumn{});
    EXPECT_EQ(selected.frames, (Frames{7165, std::nullopt, std::nullopt}));

    const BrowserColumns past = columns(7166, BrowserFill::AfterOpening);
    EXPECT_EQ(past.cells[1][kBrowserRowNumber], q("0"));
    EXPECT_EQ(past.cells[2], FrameColumn{}); // beyond the list
}

TEST(BrowserDetails, ShowTheBoxOfTheSelectedRow) {
    const auto list = frames();
    struct Case {
        int row;
        int version;
        std::set<QString> boxes;
        int memory; // the memory was 2 before
    };
    const Case cases[] = {
        {kBrowserRowInputs, 2, {q("GB_DV")}, kDetailInputs},
        {kBrowserRowInputs, 3, {q("GB_DV3")}, kDetailInputs},
        {kBrowserRowRelays, 3, {q("GB_VR")}, kDetailRelays},
        {kBrowserRowLimitsEntered, 2, {q("GB_KZ")}, kDetailLimitsEntered},
        {kBrowserRowLimitsEntered, 3, {q("GB_KZ"), q("GB_DopInf")}, kDetailLimitsEntered},
        {kBrowserRowLimitsTriggered, 3, {q("GB_KZ")}, kDetailLimitsTriggered},
        {kBrowserRowNumber, 2, {}, kDetailRelays},
        {8, 2, {}, kDetailRelays},
        {13, 2, {}, kDetailRelays},
        {18, 3, {}, kDetailRelays},
    };
    for (const Case& c : cases) {
        const DetailView v = selectBrowserCell(c.row, 12, true, kDetailRelays, c.version, *list);
        EXPECT_EQ(namesOf(v.shownBoxes), c.boxes) << c.row << " v" << c.version;
        EXPECT_EQ(v.detailMemory, c.memory) << c.row << " v" << c.version;
        EXPECT_EQ(v.frameNumberText, q("12")) << c.row; // passed on to the protection page
    }
}

TEST(BrowserDetails, ColourAndNameLabelsFromTheBitsOfTheFrame) {
    auto list = frames();
    CycleFrame& f = (*list)[5];
    f.inputs = 0x0025;          // bits 0, 2, 5
    f.relays = 0x8001;          // bits 0, 15
    f.limitsEntered = 0x0601;   // bits 0, 9, 10
    f.limitsTriggered = 0x0100; // bit 8
    auto look = [&](int row, int version) {
        const DetailView v = selectBrowserCell(row, 5, true, 0, version, *list);
        std::map<QString, QString> out; // label -> colour index or text
        for (const LabelColour& c : v.colours)
            out[QString::fromUtf8(c.objectName)] = QString::number(int(c.colour));
        for (const LabelText& t : v.texts)
            out[QString::fromUtf8(t.objectName) + q(".text")] = t.text;
        return out;
    };
    auto colour = [](PaletteColour c) { return QString::number(int(c)); };
    const QString lime = colour(PaletteColour::Lime), red = colour(PaletteColour::Red);
    const QString face = colour(PaletteColour::BtnFace);

    auto inputs = look(kBrowserRowInputs, 2);
    EXPECT_EQ(inputs.size(), 16u);
    EXPECT_EQ(inputs[q("Label_D1")], lime);
    EXPECT_EQ(inputs[q("Label_D2")], face);
    EXPECT_EQ(inputs[q("Label_D6")], red);
    auto inputs3 = look(kBrowserRowInputs, 3);
    EXPECT_EQ(inputs3.size(), 11u); // the five "Резерв" labels keep their colour
    EXPECT_EQ(inputs3.count(q("Label_DV16")), 0u);
    EXPECT_EQ(inputs3[q("Label_DV14")], lime);

    auto relays = look(kBrowserRowRelays, 2);
    EXPECT_EQ(relays[q("Label_Q1")], lime);
    EXPECT_EQ(relays[q("Label_Q2")], red);
    EXPECT_EQ(relays[q("Label_Q15")], red);
    EXPECT_EQ(relays[q("Label_Q15.text")], q("Настройка"));
    EXPECT_EQ(relays[q("Label_Q16")], red); // set: the block button is pressed
    f.relays = 0x4000;
    relays = look(kBrowserRowRelays, 2);
    EXPECT_EQ(relays[q("Label_Q15")], lime);
    EXPECT_EQ(relays[q("Label_Q15.text")], q("Работа"));
    EXPECT_EQ(relays[q("Label_Q16")], lime);

    auto entered = look(kBrowserRowLimitsEntered, 3);
    EXPECT_EQ(entered[q("Label_S1")], lime);
    EXPECT_EQ(entered[q("Label_S9")], face);
    EXPECT_EQ(entered[q("Label_7.text")], q("Режим работы 1"));
    EXPECT_EQ(entered[q("Label_6.text")], q("Нет датчика пути"));
    EXPECT_EQ(entered[q("Label_5.text")], QString());
    f.limitsEntered = 0x0001;
    EXPECT_EQ(look(kBrowserRowLimitsEntered, 3)[q("Label_7.text")], q("Режим работы 0"));
    EXPECT_EQ(look(kBrowserRowLimitsEntered, 2).count(q("Label_7.text")), 0u);

    auto triggered = look(kBrowserRowLimitsTriggered, 2);
    EXPECT_EQ(triggered[q("Label_S9")], red);
    EXPECT_EQ(triggered[q("Label_S1")], face);
}

TEST(BrowserDetails, OnlyHideTheBoxesUnlessTheColumnShowsAFrame) {
    const auto list = frames();
    const struct {
        const char* what;
        bool loaded;
        std::optional<int> frame;
    } cases[] = {
        {"no document yet", false, 12},
        {"an empty column or a reset entry", true, std::nullopt},
    };
    for (const auto& c : cases) {
        const DetailView v =
            selectBrowserCell(kBrowserRowInputs, c.frame, c.loaded, kDetailLimitsEntered, 2, *list);
        EXPECT_TRUE(v.shownBoxes.empty()) << c.what;
        EXPECT_EQ(v.detailMemory, kDetailLimitsEntered) << c.what;
        EXPECT_FALSE(v.frameNumberText.has_value()) << c.what;
    }
}

TEST(BrowserDetails, TheRememberedBoxFollowsColumnZero) {
    EXPECT_EQ(detailRowToFollow(kDetailNone), -1);
    EXPECT_EQ(detailRowToFollow(kDetailInputs), kBrowserRowInputs);
    EXPECT_EQ(detailRowToFollow(kDetailLimitsTriggered), kBrowserRowLimitsTriggered);
    EXPECT_EQ(detailRowToFollow(5), -1);
}

TEST(BrowserDetails, EveryTableNamesEachBitOnce) {
    auto bits = [](const auto& table) {
        std::set<int> out;
        for (const auto& label : table)
            out.insert(label.bit);
        return out.size() == table.size() && *out.begin() == 0 &&
               *out.rbegin() == static_cast<int>(table.size()) - 1;
    };
    EXPECT_TRUE(bits(kInputLabels));
    EXPECT_TRUE(bits(kInputLabels3));
    EXPECT_TRUE(bits(kRelayLabels));
    EXPECT_TRUE(bits(kLimitLabels));
    std::set<int> extra;
    for (const ExtraInfoLabel& l : kExtraInfoLabels)
        extra.insert(l.bit);
    EXPECT_EQ(extra, (std::set<int>{9, 10, 11, 12, 13, 14, 15}));
}
