#include "AppTestSupport.h"
#include "automation/StateDump.h"
#include "widgets/app/AboutBox.h"
#include "widgets/app/Application.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/PanelStatusBar.h"
#include "widgets/common/StringGrid.h"
#include "widgets/frames/ChartPages.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QJsonObject>
#include <QMimeData>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTabWidget>
#include <QUrl>
#include <functional>
#include <stdexcept>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {
const QString kCannotOpen = QString::fromUtf8("\n Файл не удальсь открыть!");

QString panel(const TForm_Main& w, int i) {
    return w.findChild<PanelStatusBar*>("StatusBar_Main")->panelText(i);
}
QColor statusColour(const TForm_Main& w) {
    return w.findChild<PanelStatusBar*>("StatusBar_Main")
        ->property("zurvalBackground")
        .value<QColor>();
}
} // namespace

using OpenCommand = WindowFixture;

TEST_F(OpenCommand, CancelledDialogLeavesAClearedWindowAndSaysSo) {
    RecordingBuilder b = intactRecording();
    b.operatorBlock(QString::fromUtf8("Сидоров"), "1", "2", "3");
    ASSERT_TRUE(window->openFile(write(b)));
    prompts.queueFileName(QString());
    window->Menu_OpenClick();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_EQ(prompts.shown()[0].text, kCannotOpen);
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Неизвестно"));
    EXPECT_EQ(panel(*window, 1), "");
    EXPECT_TRUE(window->documentLoaded()); // the mark is never set back
}

TEST_F(OpenCommand, FailedOpensLeaveTheLoadedMarkOfAFreshWindowUnset) {
    const struct {
        const char* what;
        QString path; // "" for a cancelled open dialog
    } cases[] = {
        {"cancelled dialog", QString()},
        {"missing file", dir.filePath("missing.vrl")},
        {"folder", dir.path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TForm_Main fresh(prompts);
        prompts.queueFileName(c.path);
        fresh.Menu_OpenClick();
        EXPECT_FALSE(fresh.documentLoaded());
        EXPECT_EQ(fresh.findChild<QAction*>("Menu_Open")->property("Tag").toInt(), 0);
        EXPECT_EQ(prompts.texts().last(), kCannotOpen);
    }
}

TEST_F(OpenCommand, DialogChoiceBecomesTheCurrentFileName) {
    const QString path = write(intactRecording());
    prompts.queueFileName(path);
    EXPECT_FALSE(window->documentLoaded());
    window->Menu_OpenClick();
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(window->currentFileName(), path);
    EXPECT_TRUE(window->documentLoaded());
}

TEST_F(OpenCommand, TellsTheUserWhatTheChecksFoundAndShowsTheFile) {
    RecordingBuilder b = intactRecording();
    b.u8(kImageSize - 1, 0x99); // the last image byte is outside the sum
    ASSERT_TRUE(window->openFile(write(b)));
    EXPECT_EQ(statusColour(*window), buttonFace());

    b.breakBlock(kBank1 + 135, 20).breakBlock(kBank1 + 0, 43).breakImageSum();
    b.operatorBlock(QString::fromUtf8("Иванов И.И."), "77", "", "");
    ASSERT_TRUE(window->openFile(write(b, "grey.vrl")));
    EXPECT_EQ(prompts.texts(),
              QStringList({QString::fromUtf8("Ошибка контольной суммы идентификации в Банке-1!"),
                           QString::fromUtf8(
                               "Ошибка контольной суммы время работы механизмов в Банке-1!")}));
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Plain);
    EXPECT_EQ(panel(*window, 2), QString::fromUtf8("Версия ЦРО: 2"));
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Иванов И.И."));
    EXPECT_EQ(text("Edit_NUd"), "77");
    EXPECT_EQ(statusColour(*window), colours::Gray);
    window->ClearAll();
    EXPECT_EQ(statusColour(*window), buttonFace());
}

TEST_F(OpenCommand, SecondFileReplacesEverythingTheFirstShowed) {
    RecordingBuilder first = intactRecording();
    first.operatorBlock(QString::fromUtf8("Первый"), "111", QString::fromUtf8("СМУ-1"), "01.01.26");
    RecordingBuilder second = intactRecording();
    second.operatorBlock(QString::fromUtf8("Второй"), "", "", "");
    ASSERT_TRUE(window->openFile(write(first, "a.vrl")));
    ASSERT_TRUE(window->openFile(write(second, "b.vrl")));
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Второй"));
    EXPECT_EQ(text("Edit_NUd"), "");
    EXPECT_EQ(text("Edit_Org"), "");
    EXPECT_TRUE(window->currentFileName().endsWith("b.vrl"));
}

TEST_F(OpenCommand, DroppedFileOpensThroughTheSameCommand) {
    RecordingBuilder b = intactRecording();
    b.operatorBlock(QString::fromUtf8("Перетащил"), "", "", "");
    const QString path = write(b);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Перетащил"));
    EXPECT_EQ(window->currentFileName(), path);
}

TEST_F(OpenCommand, RecentFilesReopenAndForgetMissingOnes) {
    const QString a = write(intactRecording(), "a.vrl");
    const QString b = write(intactRecording(), "b.vrl");
    ASSERT_TRUE(window->openFile(a));
    ASSERT_TRUE(window->openFile(b));
    window->openFile(dir.filePath("absent.vrl")); // a failed open is not remembered
    EXPECT_EQ(window->recentFiles().files(), QStringList({b, a}));
    EXPECT_TRUE(find<QAction>("Menu_Recent2")->text().endsWith("a.vrl"));
    EXPECT_FALSE(find<QAction>("Menu_Recent3")->isVisible());

    click("Menu_Recent2");
    EXPECT_EQ(window->currentFileName(), a);
    EXPECT_EQ(window->recentFiles().files().first(), a);

    QFile::remove(b);
    prompts.clear();
    click("Menu_Recent2");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].text.contains(b));
    EXPECT_EQ(window->recentFiles().files(), QStringList({a}));
    EXPECT_EQ(window->currentFileName(), a); // nothing else happened
}

using BankChoice = WindowFixture;

TEST_F(BankChoice, LargerMotorHoursOfBankOneMovesTheCheckMark) {
    RecordingBuilder bank1Ahead = intactRecording();
    bank1Ahead.u24le(kBank0 + 0x9C, 1000)
        .u24le(kBank1 + 0x9C, 1001)
        .fixBankChecksums()
        .fixImageSum();
    RecordingBuilder bank0Ahead = intactRecording();
    bank0Ahead.u24le(kBank0 + 0x9C, 1001)
        .u24le(kBank1 + 0x9C, 1000)
        .fixBankChecksums()
        .fixImageSum();
    ASSERT_TRUE(window->openFile(write(bank1Ahead, "a.vrl")));
    EXPECT_FALSE(checked("Menu_Parametr_Bank0"));
    EXPECT_TRUE(checked("Menu_Parametr_Bank1"));
    ASSERT_TRUE(window->openFile(write(bank0Ahead, "b.vrl")));
    EXPECT_TRUE(checked("Menu_Parametr_Bank0"));
    EXPECT_FALSE(checked("Menu_Parametr_Bank1"));
}

TEST_F(BankChoice, AFailedBankCommandLeavesTheMarksAndThePagesAsTheyWere) {
    RecordingBuilder bank1Ahead = intactRecording();
    bank1Ahead.u24le(kBank1 + 0x9C, 1001).fixBankChecksums().fixImageSum();
    const QString file = write(bank1Ahead);
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"at start-up", [] {}},
        {"after a cancelled open",
         [&] {
             window->openFile(file);
             prompts.queueFileName(QString());
             window->Menu_OpenClick();
         }},
        {"after a failed open",
         [&] {
             window->openFile(file);
             window->openFile(dir.filePath("absent.vrl"));
         }},
    };
    for (const auto& [way, setUp] : ways) {
        window = std::make_unique<TForm_Main>(prompts);
        setUp();
        for (const char* item : {"Menu_Parametr_Bank1", "Menu_Parametr_Bank0"}) {
            const QJsonObject before = dumpControls(window.get());
            prompts.clear();
            find<QAction>(item)->trigger(); // as a click: Qt toggles the mark first
            EXPECT_EQ(prompts.texts(), QStringList({kCannotOpen})) << way << " " << item;
            EXPECT_EQ(dumpControls(window.get()), before) << way << " " << item;
        }
    }
}

using Clearing = WindowFixture;

TEST_F(Clearing, PutsBackTheDefaultsOfEveryPage) {
    RecordingBuilder b = intactRecording();
    b.u24le(kBank0 + 0x31, 5000).fixBankChecksums().fixImageSum();
    b.operatorBlock(QString::fromUtf8("Кто-то"), "5", "6", "7");
    ASSERT_TRUE(window->openFile(write(b)));
    window->ClearAll();
    EXPECT_EQ(text("Edit_N_10"), "1");
    for (const char* name :
         {"Edit_N_20", "Edit_N_110", "Edit_N_b125", "Edit_ON_10", "Edit_ON_b125"})
        EXPECT_EQ(text(name), "0") << name;
    EXPECT_EQ(text("Label_KIspU"), "U1");
    EXPECT_EQ(text("Label_RezhA"), "A1");
    EXPECT_EQ(text("Label_RezhQ"), "Q1");
    EXPECT_EQ(text("Label_KNag"), "0");
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Неизвестно"));
    EXPECT_EQ(text("Edit_NUd"), "00000000");
    EXPECT_EQ(text("Edit_Org"), QString::fromUtf8("Неизвестна"));
    EXPECT_EQ(text("Edit_DataSch"), "00.00.00");
    EXPECT_EQ(text("Edit_VProg"), "XXXX-XXXX");
    EXPECT_EQ(text("Edit_TimeGA"), "00000:00:00");
    EXPECT_EQ(text("Edit_DataSchRP9"), "00.00.00");
    EXPECT_EQ(text("Edit_HarCh"), "00001");
    EXPECT_EQ(find<QProgressBar>("CGauge_10")->value(), 0);
    // The file name and the bank marks stay.
    EXPECT_FALSE(window->currentFileName().isEmpty());
    EXPECT_TRUE(checked("Menu_Parametr_Bank0"));
}

using Shell = WindowFixture;

TEST_F(Shell, MenusCarryTheirCaptionsShortcutsAndState) {
    EXPECT_EQ(window->windowTitle(),
              QString::fromUtf8("Анализ данных регистратора параметров ЗУРВАЛ"));
    EXPECT_EQ(find<QAction>("Menu_Open")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(find<QAction>("Menu_Clear")->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_EQ(find<QAction>("M_Help")->shortcut(), QKeySequence("F1"));
    EXPECT_EQ(find<QAction>("Menu_Exit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(find<QAction>("Menu_VRL3")->text(), QString::fromUtf8("Считать ГМЕ-3"));
    EXPECT_TRUE(find<QAction>("M_CRP")->isEnabled());
    EXPECT_FALSE(find<QAction>("SavePicture_KZ")->isEnabled()); // no picture yet
    EXPECT_TRUE(find<QAction>("Menu_Parametr_Bank0")->isCheckable());
    EXPECT_EQ(find<QAction>("M_About")->text(), QString::fromUtf8("О программе..."));
    EXPECT_FALSE(find<QProgressBar>("ProgressBar_Read")->isVisibleTo(window.get()));
    auto* tabs = find<QTabWidget>("PageControl_Main");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(3), QString::fromUtf8("Настройки"));
    EXPECT_EQ(tabs->currentWidget()->objectName(), "TabSheet_Const");
    EXPECT_EQ(find<QTabWidget>("PageControl_Inf")->currentWidget()->objectName(), "TabSheet_Ident");
}

TEST_F(Shell, MissingHelpFileIsReportedClearly) {
    window->M_HelpClick(); // no help file beside the test program or in its folder
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_TRUE(prompts.shown()[0].text.contains("HelpZURVAL.hlp"));
}

TEST(AboutBox, ShowsItsFixedTexts) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("О программе"));
    EXPECT_EQ(box.findChild<QLabel*>("ProductName")->text(), QString::fromUtf8("Анализ РП ЗУРВАЛ"));
    EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), QString::fromUtf8("Версия 1.0"));
    EXPECT_EQ(box.findChild<QLabel*>("Comments")->text(),
              QString::fromUtf8("Программа предназначена для  расшифровки информацию записанной в "
                                "регистратор параметров ограничителей грузоподъемности ЗУРВАЛ."));
}

namespace {
struct FailingCommand : QObject {
    bool event(QEvent*) override { throw std::runtime_error("сбой команды"); }
};
} // namespace

TEST(Application, ExceptionInACommandIsShownAndTheProgramGoesOn) {
    ScriptedPrompts prompts;
    auto* app = static_cast<Application*>(QCoreApplication::instance());
    app->setPrompts(&prompts);
    FailingCommand command;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&command, &event));
    app->setPrompts(nullptr);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_EQ(prompts.shown()[0].text, QString::fromUtf8("сбой команды"));
}

using PageLinks = WindowFixture;

TEST_F(PageLinks, TheBrowserTheChartsAndTheProtectionViewLeadToOneAnother) {
    ASSERT_TRUE(window->openFile(write(intactRecording())));
    const auto drawnFrame = [&] {
        return dumpControls(window.get())["PaintBox_KZ"].toObject()["frame"].toInt(-1);
    };
    const auto current = [&](const char* tabs) {
        return find<QTabWidget>(tabs)->currentWidget()->objectName();
    };
    EXPECT_EQ(drawnFrame(), 0); // the oldest frame after opening

    chooseCell("StringGrid_O_Otb", 1, 9); // an inputs cell of frame 7166
    EXPECT_EQ(text("Edit_nz_KZ"), "7166");
    EXPECT_EQ(drawnFrame(), 0);
    click("Go_KZ");
    EXPECT_EQ(current("PageControl_Main"), "TabSheet_Grafik");
    EXPECT_EQ(current("PageControl_Grafik"), "TabSheet_KZ");
    EXPECT_EQ(drawnFrame(), 7166);

    emit find<RelayChartPage>("TabSheet_Rele")->protectionFrameRequested(1234);
    EXPECT_EQ(drawnFrame(), 1234);
    EXPECT_EQ(text("Edit_nz_KZ"), "1234");

    emit find<ParameterChartPage>("TabSheet_Param")->browserJumpRequested(5000);
    EXPECT_EQ(current("PageControl_Main"), "TabSheet_Cikl");
    EXPECT_EQ(current("PageControl_Cikl"), "TabSheet_Osn");
    EXPECT_EQ(find<QScrollBar>("ScrollBar_Cikl")->value(), 5000);
    EXPECT_EQ(find<StringGrid>("StringGrid_O_Otb")->cellText(0, 0), "5000");
}
