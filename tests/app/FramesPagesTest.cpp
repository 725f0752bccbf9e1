#include "AppTestSupport.h"
#include "automation/StateDump.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/PanelStatusBar.h"
#include "widgets/common/StringGrid.h"
#include "widgets/frames/FrameBrowserPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QScrollBar>
#include <QTabWidget>
#include <map>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

FrameSlot frameWith(std::uint8_t loadMoment = 50) {
    FrameSlot f;
    f.radius = 1234;
    f.temperature = 25;
    f.loadMoment = loadMoment;
    f.mark = 2;
    return f;
}

// Frames in the given slots; the newest frame is the last slot, so FrameList entry k is
// slot k.
RecordingBuilder withFrames(const std::map<int, FrameSlot>& frames, int version = 2) {
    RecordingBuilder b;
    b.u8(kBank0 + 4, static_cast<std::uint8_t>(version));
    b.u8(kBank1 + 4, static_cast<std::uint8_t>(version));
    for (const auto& [slot, f] : frames)
        b.frame(slot, f);
    b.frameMark(kFrameCount - 1, kLastRecordMark);
    b.fixAllChecksums(version);
    return b;
}

OverloadSlot overload(std::uint8_t percent, std::uint8_t mark = 2) {
    return {1500, 800, percent, RecordingBuilder::bcdDateBytes("03.03.26"), mark};
}

// Overload records 0..n-1, the last one newest.
RecordingBuilder withOverloads(const std::vector<OverloadSlot>& records) {
    RecordingBuilder b = intactRecording();
    for (std::size_t k = 0; k < records.size(); ++k)
        b.overload(static_cast<int>(k), records[k]);
    b.fixAllChecksums(2);
    return b;
}

struct FramesPages : WindowFixture {
    StringGrid* browser() const { return find<StringGrid>("StringGrid_O_Otb"); }
    QString cell(int column, int row) const { return browser()->cellText(column, row); }
    QStringList numbers(const char* grid = "StringGrid_O_Otb") const {
        auto* g = find<StringGrid>(grid);
        QStringList out;
        for (int c = 0; c < g->columnCount(); ++c)
            out << g->cellText(c, 0);
        return out;
    }
    QScrollBar* bar(const char* name = "ScrollBar_Cikl") const { return find<QScrollBar>(name); }
    QStringList shownBoxes() const {
        QStringList out;
        for (const char* name : {"GB_DV", "GB_DV3", "GB_VR", "GB_KZ", "GB_DopInf"})
            if (!find(name)->isHidden())
                out << name;
        return out;
    }
    QColor background(const char* label) const {
        return find(label)->property("zurvalBackground").value<QColor>();
    }
    void open(const RecordingBuilder& b) { ASSERT_TRUE(window->openFile(write(b))); }
};

} // namespace

TEST_F(FramesPages, OpeningShowsTheNewestFramesAndTheBarStopsThere) {
    FrameSlot noRadius = frameWith();
    noRadius.radius = 0;
    const RecordingBuilder b = withFrames({{7166, noRadius}, {7167, frameWith()}});
    open(b);
    EXPECT_EQ(bar()->maximum(), 7165);
    EXPECT_EQ(bar()->value(), 7165);
    EXPECT_EQ(numbers(), QStringList({"7165", "7166", "7167"}));
    // The open moved the bar from 0, so the window came in by the scroll rule.
    EXPECT_EQ(cell(1, kBrowserRowTemperature), "25");
    EXPECT_EQ(cell(1, kBrowserRowDateTime), "");
    EXPECT_NE(cell(2, kBrowserRowDateTime), "");

    scroll("ScrollBar_Cikl", 9000);
    EXPECT_EQ(bar()->value(), 7165);

    // A second open finds the bar in place: the window keeps the fill of the open.
    open(b);
    EXPECT_EQ(cell(1, kBrowserRowTemperature), "25,00");
    EXPECT_NE(cell(1, kBrowserRowDateTime), "");

    scroll("ScrollBar_Cikl", 100);
    EXPECT_EQ(numbers(), QStringList({"100", "101", "102"}));
}

TEST_F(FramesPages, DetailBoxFollowsTheFirstColumnAndOtherRowsOnlyHide) {
    FrameSlot first = frameWith(), second = frameWith();
    first.relays = 0x0001;  // Подъем груза
    second.relays = 0x4000; // Работа
    open(withFrames({{100, first}, {101, second}}));
    QString chosen;
    QObject::connect(find<FrameBrowserPage>("TabSheet_Osn"), &FrameBrowserPage::frameNumberChosen,
                     [&chosen](const QString& n) { chosen = n; });
    scroll("ScrollBar_Cikl", 100);
    chooseCell("StringGrid_O_Otb", 0, kBrowserRowRelays);
    EXPECT_EQ(shownBoxes(), QStringList({"GB_VR"}));
    EXPECT_EQ(chosen, "100");
    EXPECT_EQ(background("Label_Q1"), colours::Lime);
    EXPECT_EQ(text("Label_Q15"), q("Настройка"));

    scroll("ScrollBar_Cikl", 101);
    EXPECT_EQ(shownBoxes(), QStringList({"GB_VR"}));
    EXPECT_EQ(chosen, "101");
    EXPECT_EQ(background("Label_Q1"), colours::Red);
    EXPECT_EQ(text("Label_Q15"), q("Работа"));

    for (int row : {0, 8, 13, 18}) {
        chooseCell("StringGrid_O_Otb", 0, row);
        EXPECT_EQ(shownBoxes(), QStringList()) << row;
    }
    // Hidden, yet remembered: even a clear and a new open keep it.
    window->ClearAll();
    chooseCell("StringGrid_O_Otb", 0, kBrowserRowRelays); // the cleared column names no frame
    EXPECT_EQ(shownBoxes(), QStringList());
    open(withFrames({{100, first}, {101, second}}));
    scroll("ScrollBar_Cikl", 100);
    EXPECT_EQ(shownBoxes(), QStringList({"GB_VR"}));
    EXPECT_EQ(background("Label_Q1"), colours::Lime);
}

TEST_F(FramesPages, LayoutDecidesTheInputsBoxAndTheExtraFlags) {
    FrameSlot f = frameWith();
    f.inputs = 0x0004; // layout 3: Линейный контактор; else Подъем груза
    f.limitsEntered = 0x0601; // Влево, and the layout-3 flags of bits 9 and 10
    struct Case {
        int version;
        int row;
        QStringList boxes;
        const char* limeLabel;
    };
    const Case cases[] = {
        {2, kBrowserRowInputs, {"GB_DV"}, "Label_D3"},
        {3, kBrowserRowInputs, {"GB_DV3"}, "Label_DV14"},
        {2, kBrowserRowLimitsEntered, {"GB_KZ"}, "Label_S1"},
        {3, kBrowserRowLimitsEntered, {"GB_KZ", "GB_DopInf"}, "Label_S1"},
    };
    for (const Case& c : cases) {
        open(withFrames({{7165, f}}, c.version));
        chooseCell("StringGrid_O_Otb", 0, c.row);
        EXPECT_EQ(shownBoxes(), c.boxes) << c.version << " " << c.row;
        EXPECT_EQ(background(c.limeLabel), colours::Lime) << c.limeLabel;
    }
    EXPECT_EQ(text("Label_7"), q("Режим работы 1"));
    EXPECT_EQ(text("Label_6"), q("Нет датчика пути"));
    EXPECT_EQ(text("Label_5"), "");
    EXPECT_EQ(background("Label_S2"), buttonFace());
}

TEST_F(FramesPages, SelectionPacksTheMatchesAndSetsTheBar) {
    struct Case {
        std::vector<int> matchingSlots; // load moment 90, the others 50
        QString count;
        int maximum;
        QStringList shown;
    };
    const Case cases[] = {
        {{3000}, "1", 0, {"3000", "", ""}},
        {{10, 20, 30}, "3", 0, {"10", "20", "30"}},
        {{10, 20, 30, 40, 50}, "5", 2, {"30", "40", "50"}},
    };
    for (const Case& c : cases) {
        std::map<int, FrameSlot> frames;
        for (int slot : c.matchingSlots)
            frames[slot] = frameWith(90);
        open(withFrames(frames));
        type("Edit_O_M", "60");
        click("Button_Find");
        EXPECT_EQ(text("Label_O_OtbZap"), c.count);
        EXPECT_EQ(bar()->maximum(), c.maximum);
        EXPECT_EQ(bar()->value(), c.maximum);
        EXPECT_EQ(numbers(), c.shown);
        // Running it again changes nothing: the window stays with the bar.
        click("Button_Find");
        EXPECT_EQ(numbers(), c.shown);
    }
    FrameSlot reached = frameWith();
    reached.limitsReached = 1;
    open(withFrames({{500, reached}}));
    click("CheckBox_O_DO");
    EXPECT_EQ(text("Label_O_OtbZap"), "1");
    EXPECT_EQ(numbers(), QStringList({"500", "", ""}));
}

TEST_F(FramesPages, ThresholdTurnsRedWhileTypedAndBlackOnceTaken) {
    auto* edit = find<QLineEdit>("Edit_O_M");
    auto colour = [edit] { return edit->property("zurvalColour").value<QColor>(); };
    click("Button_Find"); // nothing loaded: nothing happens
    EXPECT_EQ(text("Label_O_OtbZap"), "0");

    open(withFrames({{10, frameWith(90)}}));
    type("Edit_O_M", "");
    press("Edit_O_M", "Return");
    EXPECT_EQ(colour(), colours::Red);
    EXPECT_EQ(text("Label_O_OtbZap"), "0");

    type("Edit_O_M", "8x");
    press("Edit_O_M", "Return");
    EXPECT_EQ(prompts.texts(), QStringList({"'8x' is not a valid integer value"}));
    EXPECT_EQ(colour(), colours::Red);

    type("Edit_O_M", "80");
    press("Edit_O_M", "Return");
    EXPECT_EQ(colour(), colours::Black);
    EXPECT_EQ(text("Label_O_OtbZap"), "1");
}

TEST_F(FramesPages, OverloadTableSelectionAndSummaryLines) {
    open(withOverloads({overload(125), overload(126), overload(110, kLastRecordMark)}));
    EXPECT_EQ(find<QScrollBar>("ScrollBar_Per")->value(), 3192);
    EXPECT_EQ(numbers("StringGrid_Per_Otb").last(), "3199");
    EXPECT_EQ(text("Label_MaxM"), q("Максимальная перегрузка произошла 03.03.26 и составила 126%"));
    EXPECT_FALSE(find("Label_MaxM")->isHidden());
    EXPECT_FALSE(find("Label_LastM")->isHidden());

    type("Edit_Per_M", "125");
    click("Button3");
    EXPECT_EQ(text("Label_Per_OtbZap"), "1");
    scroll("ScrollBar_Per", 0);
    auto* grid = find<StringGrid>("StringGrid_Per_Otb");
    EXPECT_EQ(grid->cellText(0, 2), "126");
    EXPECT_EQ(grid->cellText(1, 2), "");

    type("Edit_Per_M", "x");
    click("Button3");
    EXPECT_EQ(prompts.texts(), QStringList({"'x' is not a valid integer value"}));
    EXPECT_EQ(text("Label_Per_OtbZap"), "1");

    // Nothing above 120 % and no newest record: both lines go.
    open(withOverloads({overload(110)}));
    EXPECT_TRUE(find("Label_MaxM")->isHidden());
    EXPECT_TRUE(find("Label_LastM")->isHidden());
}

TEST_F(FramesPages, ClearingPutsBackTheDefaults) {
    open(withFrames({{7165, frameWith()}}));
    for (const char* name : {"CheckBox_Error", "CheckBox_VLim", "CheckBox_SLim", "CheckBox_O_DO"})
        find<QCheckBox>(name)->setChecked(true);
    type("Edit_O_M", "7");
    type("Edit_Per_M", "7");
    window->ClearAll();
    for (const char* name : {"CheckBox_Error", "CheckBox_VLim", "CheckBox_SLim", "CheckBox_O_DO"})
        EXPECT_FALSE(find<QCheckBox>(name)->isChecked()) << name;
    for (const char* name : {"Edit_O_M", "Label_O_OtbZap", "Edit_Per_M", "Label_Per_OtbZap"})
        EXPECT_EQ(text(name), "0") << name;
    for (int row = 0; row <= 17; ++row)
        EXPECT_EQ(cell(0, row), "") << row;
    EXPECT_EQ(cell(0, 18), q("Норма")); // the clearing has always stopped one row short
}

// Clearing puts back the pages, not the tables: the buttons of a cleared window still
// select from the records and frames last opened, under the version last read.
TEST_F(FramesPages, AClearedWindowKeepsTheTablesItsButtonsSelectFrom) {
    RecordingBuilder b = withFrames({{3000, frameWith(90)}});
    b.overload(0, overload(125)).overload(1, overload(110, kLastRecordMark)).fixAllChecksums(2);
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Очистить", [&] { click("Menu_Clear"); }},
        {"a cancelled open",
         [&] {
             prompts.queueFileName(QString());
             window->Menu_OpenClick();
         }},
        {"a failed open", [&] { window->openFile(dir.filePath("absent.vrl")); }},
    };
    for (const auto& [way, clearWindow] : ways) {
        open(b);
        clearWindow();
        EXPECT_EQ(window->findChild<PanelStatusBar*>("StatusBar_Main")->panelText(2),
                  q("Версия ЦРО: 2"))
            << way;
        // The overload table was left by the clearing; scrolling refills it from the records.
        scroll("ScrollBar_Per", 3192);
        EXPECT_EQ(find<StringGrid>("StringGrid_Per_Otb")->cellText(7, 2), "110") << way;
        click("Button3");
        EXPECT_EQ(text("Label_Per_OtbZap"), "2") << way;
        scroll("ScrollBar_Per", 0);
        auto* grid = find<StringGrid>("StringGrid_Per_Otb");
        EXPECT_EQ(QStringList({grid->cellText(0, 2), grid->cellText(1, 2), grid->cellText(2, 2)}),
                  QStringList({"125", "110", ""}))
            << way;

        type("Edit_O_M", "60");
        click("Button_Find");
        EXPECT_EQ(text("Label_O_OtbZap"), "1") << way;
        EXPECT_EQ(numbers(), QStringList({"3000", "", ""})) << way;
    }
}

TEST_F(FramesPages, ChartsAndThePopupMoveTheWindowAndThePages) {
    open(withFrames({}));
    auto* page = find<FrameBrowserPage>("TabSheet_Osn");
    page->jumpToFrame(5000);
    EXPECT_EQ(bar()->value(), 5000);
    EXPECT_EQ(numbers(), QStringList({"5000", "5001", "5002"}));
    EXPECT_EQ(cell(0, kBrowserRowTemperature), "0,00");
    page->jumpToFrame(7166);
    EXPECT_EQ(bar()->value(), 7165);
    EXPECT_EQ(numbers(), QStringList({"7166", "7167", ""}));

    click("Go_KZ");
    EXPECT_EQ(find<QTabWidget>("PageControl_Main")->currentWidget()->objectName(),
              "TabSheet_Grafik");
    EXPECT_EQ(find<QTabWidget>("PageControl_Grafik")->currentWidget()->objectName(), "TabSheet_KZ");

    // The dump shows the windows as the user sees them.
    const QJsonObject controls = dumpControls(window.get());
    EXPECT_EQ(controls["StringGrid_O_Otb"].toObject()["cells"].toArray().size(), kBrowserRows);
    EXPECT_EQ(controls["ScrollBar_Cikl"].toObject()["value"].toInt(), 7165);
    EXPECT_EQ(controls["StringGrid_Per_Otb"].toObject()["cells"].toArray().size(), 7);
    EXPECT_FALSE(controls["Label_LastM"].toObject()["visible"].toBool());
    EXPECT_EQ(duplicateControlNames(window.get()), QStringList());
}
