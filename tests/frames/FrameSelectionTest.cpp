#include "core/frames/FrameSelection.h"
#include "core/frames/IntegerText.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace zurval;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// FrameList with a load moment of 10 % and nothing else of note, except where changed.
std::unique_ptr<FrameArray> quietList() {
    auto list = std::make_unique<FrameArray>();
    for (int k = 0; k < kFrameCapacity; ++k) {
        CycleFrame& f = (*list)[k];
        f.number = k;
        f.loadMoment = 10;
        f.radius = 10;
        f.decoded = true;
    }
    return list;
}

std::vector<int> positions(const FrameSelection& selection) {
    std::vector<int> out;
    for (int k = 0; k < selection.count(); ++k)
        out.push_back(selection.position(k));
    return out;
}

} // namespace

TEST(FrameSelection, KeepsFramesThatMeetEveryCheckedCondition) {
    auto list = quietList();
    (*list)[100].loadMoment = 100;
    (*list)[200].limitsEntered = 1 << 9; // a layout-3 flag, no limit
    (*list)[201].limitsEntered = 1 << 8;
    (*list)[300].limitsTriggered = 1 << 9;
    (*list)[301].limitsTriggered = 1 << 0;
    (*list)[301].limitsEntered = 1 << 0;
    (*list)[400].limitsReached = 2;
    (*list)[500].health = 9;
    (*list)[501].health = 9;
    (*list)[501].loadMoment = 255;

    struct Case {
        const char* threshold;
        FrameConditions conditions;
        std::vector<int> selected; // empty: check the count only
        int count;
    };
    const Case cases[] = {
        {"0", {}, {}, kFrameCapacity},
        {"-5", {}, {}, kFrameCapacity},
        {"100", {}, {100, 501}, 2}, // at least the threshold
        {"256", {}, {}, 0},
        {"0", {true, false, false, false}, {201, 301}, 2},
        {"0", {false, true, false, false}, {301}, 1},
        {"0", {false, false, true, false}, {400}, 1},
        {"0", {false, false, false, true}, {500, 501}, 2},
        {"100", {false, false, false, true}, {501}, 1},
        {"0", {true, true, false, true}, {}, 0},
    };
    auto selection = std::make_unique<FrameSelection>();
    for (const Case& c : cases) {
        const FrameSelectionRun run = selectFrames(*list, q(c.threshold), c.conditions, *selection);
        EXPECT_EQ(run.error, QString());
        EXPECT_EQ(run.count, c.count) << c.threshold;
        if (!c.selected.empty()) {
            EXPECT_EQ(positions(*selection), c.selected) << c.threshold;
        }
    }
}

TEST(FrameSelection, PacksTheMatchesAndPointsTheWindowAtTheNewest) {
    auto list = quietList();
    const int faulty[] = {7, 70, 700, 7000};
    auto selection = std::make_unique<FrameSelection>();
    struct Case {
        int matches; // the first of the faulty frames
        int scrollMaximum;
    };
    for (const Case c : {Case{4, 1}, Case{3, 0}, Case{1, 0}}) {
        for (int k = 0; k < 4; ++k)
            (*list)[faulty[k]].health = k < c.matches;
        const FrameSelectionRun run =
            selectFrames(*list, q("0"), {false, false, false, true}, *selection);
        EXPECT_EQ(run.count, c.matches);
        EXPECT_EQ(run.scrollMaximum, c.scrollMaximum);
        EXPECT_EQ(run.scrollPosition, c.scrollMaximum);
        EXPECT_EQ(selection->entry(*list, 0).number, 7);
        EXPECT_EQ(selection->entry(*list, c.matches).number, 0); // the rest is reset
        EXPECT_FALSE(selection->entry(*list, c.matches).decoded);
    }
    const FrameSelectionRun all = selectFrames(*list, q("0"), {}, *selection);
    EXPECT_EQ(all.scrollMaximum, 7165);
    EXPECT_EQ(all.scrollPosition, 7165);
}

TEST(FrameSelection, AThresholdThatIsNoIntegerLeavesTheSelectionReset) {
    auto list = quietList();
    auto selection = std::make_unique<FrameSelection>();
    selection->selectAll();
    const FrameSelectionRun run = selectFrames(*list, q("1,5"), {}, *selection);
    EXPECT_EQ(run.error, q("'1,5' is not a valid integer value"));
    EXPECT_EQ(selection->count(), 0);
    EXPECT_FALSE(selection->entry(*list, 5).decoded);
}

TEST(IntegerText, ReadsWhatAnEditMayHold) {
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"12", 12},
        {"  12", 12},
        {"+7", 7},
        {"-3", -3},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"2147483648", std::nullopt},
        {"٣", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(q(c.text)), c.value) << c.text;
    EXPECT_EQ(notAnIntegerMessage(q("")), q("'' is not a valid integer value"));
}
