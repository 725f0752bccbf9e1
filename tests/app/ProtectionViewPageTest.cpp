#include "widgets/protection/ProtectionViewPage.h"
#include "AppTestSupport.h"
#include "FakeClock.h"

#include <QImage>
#include <QJsonValue>
#include <QProgressBar>

using namespace zurval;
using namespace zurval::testing;

namespace {

const QString kNotAnInteger = QStringLiteral("'%1' is not a valid integer value");

// The page of an opened recording, its playback stepped by hand.
struct ProtectionView : WindowFixture {
    ProtectionViewPage* page = nullptr;
    ManualTicker* ticker = nullptr;

    void SetUp() override {
        ASSERT_TRUE(window->openFile(write(intactRecording())));
        page = find<ProtectionViewPage>("TabSheet_KZ");
        auto manual = std::make_unique<ManualTicker>();
        ticker = manual.get();
        page->useTicker(std::move(manual));
    }
    // The frame on the picture, -1 when it is cleared.
    int shownFrame() const {
        return find<ProtectionPictureBox>("PaintBox_KZ")->describeState()["frame"].toInt(-1);
    }
    int progress() const { return find<QProgressBar>("ProgressBar_Auto")->value(); }
    void play(const QString& first, const QString& last) {
        type("Edit_KZ_SK", first);
        type("Edit_KZ_POK", last);
        click("Button_Play");
    }
    // Each frame drawn and the progress after it, until the playback ends.
    std::vector<std::pair<int, int>> runToEnd() {
        std::vector<std::pair<int, int>> steps;
        while (steps.size() < 100 && ticker->fire())
            steps.emplace_back(shownFrame(), progress());
        return steps;
    }
};

using Steps = std::vector<std::pair<int, int>>;

} // namespace

TEST_F(ProtectionView, OpeningDrawsTheOldestFrameAndClearingEmptiesThePage) {
    EXPECT_EQ(shownFrame(), 0);
    EXPECT_EQ(page->picture().size(), QSize(754, 366));
    EXPECT_EQ(text("Edit_nz_KZ"), "0");
    play("3", "9");
    type("Edit_nz_KZ", "55");
    click("Menu_Clear");
    EXPECT_FALSE(ticker->isActive());
    EXPECT_EQ(shownFrame(), -1);
    EXPECT_EQ(text("Edit_nz_KZ"), "0");
    EXPECT_EQ(text("Edit_KZ_SK"), "0");
    EXPECT_EQ(text("Edit_KZ_POK"), "7167");
}

TEST_F(ProtectionView, PlaybackDrawsEachFrameOfTheRangeOnceAndKeepsToFrameList) {
    struct Case {
        const char* first;
        const char* last;
        Steps steps; // frame drawn, progress after it
        int progressMaximum;
    };
    const Case cases[] = {
        {"10", "12", {{10, 0}, {11, 1}, {12, 0}}, 2},
        {"5", "5", {{5, 0}}, 1}, // an empty range would make the bar a busy indicator
        {"7166", "9000", {{7166, 0}, {7167, 0}}, 1},
        {"20", "10", {{20, 0}}, 1},
        {"-3", "5", {}, 1},
        {"7168", "7200", {}, 1},
    };
    for (const Case& c : cases) {
        play(c.first, c.last);
        EXPECT_EQ(runToEnd(), c.steps) << c.first << ".." << c.last;
        EXPECT_EQ(find<QProgressBar>("ProgressBar_Auto")->maximum(), c.progressMaximum)
            << c.first << ".." << c.last;
    }
    // Only a first number outside FrameList is refused, and with a word.
    EXPECT_EQ(prompts.texts(), QStringList(2, frameOutOfRangeMessage()));
}

TEST_F(ProtectionView, TypedNumberOutsideFrameListIsRefusedWithAMessage) {
    for (const char* typed : {"-1", "7168"}) {
        page->showFrame(5);
        type("Edit_nz_KZ", typed);
        click("Button_Vewe");
        EXPECT_EQ(shownFrame(), 5) << typed;
    }
    EXPECT_EQ(prompts.texts(), QStringList(2, QStringLiteral("Неправильный номер кадра! Кадры "
                                                             "нумеруются с 0 по 7167.")));
}

TEST_F(ProtectionView, StopEndsThePlaybackAfterOneMoreFrame) {
    play("15", "100");
    while (shownFrame() != 20)
        ASSERT_TRUE(ticker->fire());
    click("Button_Stop");
    EXPECT_EQ(runToEnd(), (Steps{{21, 0}}));
    play("30", "31"); // the request does not outlive its playback
    EXPECT_EQ(runToEnd(), (Steps{{30, 0}, {31, 0}}));
}

TEST_F(ProtectionView, SpeedSetsThePauseBetweenSteps) {
    play("0", "100");
    EXPECT_EQ(ticker->intervalMs(), 50);
    scroll("TrackBar_Speed", 1000);
    EXPECT_EQ(ticker->intervalMs(), 1000);
    ticker->fire();
    EXPECT_TRUE(ticker->isActive());
    EXPECT_EQ(ticker->intervalMs(), 1000);
}

TEST_F(ProtectionView, ArrowKeysStepWithinFrameList) {
    struct Case {
        const char* typed;
        const char* key;
        const char* after;
        int drawn; // -1: nothing new drawn, frame 0 of the opening stays
    };
    const Case cases[] = {
        {"41", "Up", "42", 42},     {"41", "Down", "40", 40}, {"0", "Down", "0", -1},
        {"7167", "Up", "7167", -1}, {"-1", "Up", "0", 0},     {"9000", "Down", "9000", -1},
    };
    for (const Case& c : cases) {
        page->showFrame(0);
        type("Edit_nz_KZ", c.typed);
        press("Edit_nz_KZ", c.key);
        EXPECT_EQ(text("Edit_nz_KZ"), c.after) << c.typed << " " << c.key;
        EXPECT_EQ(shownFrame(), c.drawn < 0 ? 0 : c.drawn) << c.typed << " " << c.key;
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ProtectionView, TextThatIsNoIntegerIsRefusedWithTheConversionMessage) {
    type("Edit_nz_KZ", "12x");
    click("Button_Vewe");
    press("Edit_nz_KZ", "Up");
    type("Edit_KZ_POK", "");
    click("Button_Play");
    EXPECT_FALSE(ticker->isActive());
    play("10", "20");
    ticker->fire();
    type("Edit_KZ_SK", "a");
    ticker->fire();
    EXPECT_FALSE(ticker->isActive());
    EXPECT_EQ(prompts.texts(), QStringList({kNotAnInteger.arg("12x"), kNotAnInteger.arg("12x"),
                                            kNotAnInteger.arg(""), kNotAnInteger.arg("a")}));
    EXPECT_EQ(shownFrame(), 11);
}

TEST_F(ProtectionView, JumpsDrawTheFrameAndLeaveItsNumberForTheManualView) {
    EXPECT_TRUE(page->showFrame(1234));
    EXPECT_EQ(shownFrame(), 1234);
    EXPECT_EQ(text("Edit_nz_KZ"), "1234");
    EXPECT_FALSE(page->showFrame(7168));
    EXPECT_FALSE(page->showFrame(-1));
    page->setFrameNumberText("77");
    EXPECT_TRUE(page->showTypedFrame());
    EXPECT_EQ(shownFrame(), 77);
    type("Edit_nz_KZ", "7168");
    click("Button_Vewe");
    EXPECT_EQ(shownFrame(), 77);
    EXPECT_EQ(text("Edit_nz_KZ"), "7168");
}

TEST_F(ProtectionView, PictureCanBeSavedAsPng) {
    const QString path = dir.filePath("kz.png");
    prompts.queueFileName(path);
    click("SavePicture_KZ");
    EXPECT_EQ(QImage(path).size(), QSize(754, 366));
    EXPECT_EQ(prompts.fileDialogs().back().fileName, "kadr_0.png");
    prompts.queueFileName(dir.filePath("no/such/folder/kz.png"));
    click("SavePicture_KZ");
    EXPECT_EQ(prompts.texts().size(), 1);
}
