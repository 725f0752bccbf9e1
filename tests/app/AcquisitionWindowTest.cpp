#include "AppTestSupport.h"
#include "ControlColours.h"
#include "Headless.h"
#include "PanelStatusBar.h"
#include "Saver.h"
#include "ScriptedSerialPort.h"
#include "WindowTransferView.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <functional>

using namespace zurval;
using namespace zurval::testing;

namespace {

// Waits no time; lets a test look at the window at every pause of a protocol.
struct PauseClock : FakeClock {
    std::function<void()> onPause = [] {};
    void sleepMs(int ms) override {
        FakeClock::sleepMs(ms);
        onPause();
    }
};

// What a ВРЛ-2 sends for an intact image.
std::vector<std::uint8_t> intactStream() {
    RecordingBuilder b = intactRecording();
    b.resize(kCompleteTransfer);
    return b.bytes();
}

const QStringList kOperator = {QString::fromUtf8("Петров И.И."), "12-345",
                               QString::fromUtf8("ООО Кран"), "01.02.24"};

// The main window with a scripted port and a clock that waits no time.
struct DeviceRead : WindowFixture {
    std::shared_ptr<ScriptedSerialPort> port = std::make_shared<ScriptedSerialPort>();
    std::shared_ptr<PauseClock> clock = std::make_shared<PauseClock>();
    QStringList status; // panel 1 as the user saw it: "text colour"
    std::vector<int> progress;

    DeviceRead() {
        window->deviceReads().setAccess({[this] { return port; }, clock, dir.path()});
        QObject::connect(&window->deviceReads().transferView(), &WindowTransferView::statusShown,
                         [this](const QString& text, const QColor& colour) {
                             status << text + " " + colour.name();
                         });
        QObject::connect(find<QProgressBar>("ProgressBar_Read"), &QProgressBar::valueChanged,
                         [this](int value) { progress.push_back(value); });
        answerOperatorDialog(window->deviceReads().operatorDialog(), kOperator);
    }
    QString panel1() const { return find<PanelStatusBar>("StatusBar_Main")->panelText(1); }
    bool progressShown() const {
        return find<QProgressBar>("ProgressBar_Read")->isVisibleTo(window.get());
    }
};

} // namespace

TEST_F(DeviceRead, MenuItemsStartTheReadsOnTheirPorts) {
    const struct {
        const char* item;
        int tag;
        const char* firstCall;
    } cases[] = {
        {"Menu_COM2", 2, "open COM2"},
        {"Menu_COM1", 1, "open COM1"},
        {"Menu_VRL3", 1, "open \\\\.\\COM0 failed"}, // the ВРЛ-3 leaves the Tag alone
    };
    EXPECT_EQ(find<QAction>("Menu_VRL3")->shortcut(), QKeySequence("Ctrl+E"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        port = std::make_shared<ScriptedSerialPort>();
        port->attach("COM1");
        port->attach("COM2");
        prompts.queueAnswer(false); // the ВРЛ-2 is not connected after all
        click(c.item);
        EXPECT_EQ(find<QMenu>("Menu_Read")->property("Tag").toInt(), c.tag);
        ASSERT_FALSE(port->log().isEmpty());
        EXPECT_EQ(port->log().first(), c.firstCall);
    }
    EXPECT_EQ(prompts.texts().last(), QString::fromUtf8("Устройство не обнаружено!"));
}

TEST_F(DeviceRead, CompleteReadShowsItsCourseAndNamesTheSavedFile) {
    port->attach("COM1", {std::nullopt, intactStream()});
    const QString path = dir.filePath("read.vrl");
    prompts.queueFileName(path);
    bool shownDuringRead = false;
    clock->onPause = [&] { shownDuringRead = shownDuringRead || progressShown(); };
    click("Menu_COM1");

    const QString red = colours::Red.name(), green = colours::Green.name();
    EXPECT_EQ(status, QStringList({QString::fromUtf8("Начат процесс считывания! ") + red,
                                   QString::fromUtf8("Считано 270337 байт. Расчет контрольной "
                                                     "суммы! ") +
                                       colours::Yellow.name(),
                                   QString::fromUtf8("Считывание успешно завершено! ") + green,
                                   path + " " + green}));
    // The ВРЛ-2 bar goes by 27,000 bytes: to 10 while reading, to 10 while "temp.bin" is
    // written and to 9 while the sum runs over its 264,191 bytes; the file's write fills it.
    EXPECT_TRUE(shownDuringRead);
    EXPECT_EQ(progress,
              std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 10, 0, 9, 0, 100, 0}));
    EXPECT_FALSE(progressShown());
    EXPECT_EQ(panel1(), path);

    // The dialog's texts went to the service page and into the file, which opens from panel 1.
    EXPECT_EQ(text("Edit_Name"), kOperator[0]);
    EXPECT_EQ(text("Edit_DataSch"), kOperator[3]);
    ASSERT_TRUE(window->openFile(window->currentFileName()));
    EXPECT_EQ(prompts.shown().size(), 1u); // the connect prompt alone
    EXPECT_EQ(text("Edit_Org"), kOperator[2]);
}

TEST_F(DeviceRead, WindowTakesNoCommandAndHoldsItsClosingUntilTheFileIsComplete) {
    port->attach("COM1", {std::nullopt, intactStream()});
    const QString path = dir.filePath("read.vrl");
    prompts.queueFileName(path);
    window->show();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(write(intactRecording(), "other.vrl"))});
    int pauses = 0, heldPauses = 0;
    clock->onPause = [&] {
        if (pauses++ == 0) {
            EXPECT_FALSE(window->close());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                            Qt::NoModifier);
            QCoreApplication::sendEvent(window.get(), &drop);
        }
        const QList<QAction*> items = window->findChildren<QAction*>();
        heldPauses +=
            window->deviceReads().running() &&
            std::none_of(items.begin(), items.end(), [](QAction* a) { return a->isEnabled(); });
    };
    click("Menu_COM1");

    EXPECT_EQ(heldPauses, pauses);
    EXPECT_FALSE(window->documentLoaded());          // the drop was not taken
    EXPECT_FALSE(window->isVisible());               // closed once the read was over
    EXPECT_EQ(QFile(path).size(), 270337 + 150 + 8); // the date, the last text, ends the file
    EXPECT_TRUE(find<QAction>("Menu_Open")->isEnabled());
    EXPECT_FALSE(find<QAction>("SavePicture_KZ")->isEnabled()); // greyed before, greyed after
}

TEST_F(DeviceRead, OperatorDialogProposesItsLastTextsAndOnlyOkTakesThem) {
    TForm_saver& dialog = window->deviceReads().operatorDialog();
    QStringList tabOrder;
    QWidget* w = dialog.findChild<QPushButton*>("Button_Ok");
    for (int i = 0; i < 6; ++i, w = w->nextInFocusChain())
        tabOrder << w->objectName();
    EXPECT_EQ(tabOrder.join(' '),
              "Button_Ok Edit_Name Edit_NUd Edit_Org Edit_DataSch Button_Cansel");

    // Ok takes the texts; a ВРЛ-3 read proposes its date in them.
    OperatorBlock entered;
    ASSERT_TRUE(dialog.ask(QString("08.12.06 14-05"), entered));
    EXPECT_EQ(entered.name, kOperator[0]);
    EXPECT_EQ(entered.readingDate, kOperator[3]);
    answerOperatorDialog(dialog, QStringList{QString::fromUtf8("Сидоров")});
    ASSERT_TRUE(dialog.ask(QString("08.12.06 14-05"), entered));
    EXPECT_EQ(entered.name, QString::fromUtf8("Сидоров"));
    EXPECT_EQ(entered.certificate, kOperator[1]); // kept from the last time
    EXPECT_EQ(entered.readingDate, "08.12.06 14-05");

    // Closed without Ok: the file gets the main window's texts as they were.
    RecordingBuilder loaded = intactRecording();
    loaded.operatorBlock(QString::fromUtf8("Прежний"), "", "", "");
    ASSERT_TRUE(window->openFile(write(loaded)));
    answerOperatorDialog(dialog, std::nullopt);
    port->attach("COM1", {std::nullopt, intactStream()});
    prompts.queueFileName(dir.filePath("read.vrl"));
    click("Menu_COM1");
    ASSERT_TRUE(window->openFile(dir.filePath("read.vrl")));
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Прежний"));
}
