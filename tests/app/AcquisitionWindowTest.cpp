#include "AppTestSupport.h"
#include "ScriptedSerialPort.h"
#include "automation/Headless.h"
#include "widgets/acquisition/Saver.h"
#include "widgets/app/WindowTransferView.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/PanelStatusBar.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
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
        EXPECT_EQ(window->deviceReads().vrl2Port(), c.tag);
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

TEST_F(DeviceRead, WindowTakesOnlyTheAbortWhileReadingAndAsksBeforeClosing) {
    port->attach("COM1", {std::nullopt, intactStream()});
    const QString path = dir.filePath("read.vrl");
    const QString scratch = dir.filePath("temp.bin");
    const QString question = QString::fromUtf8("Прервать считывание?");
    const QString aborted =
        QString::fromUtf8("\n Считывание прервано на 1 байте!\nПовторите считывание!");
    const auto clickAbort = [this] {
        // With the mouse, as the input held back from the window would be.
        QPushButton* button = find<QPushButton>("Button_Abort");
        ASSERT_TRUE(button->isVisible());
        const QPointF at = QRectF(button->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, button->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(button, &e);
        }
    };
    const auto closeAnswering = [this](bool answer) {
        return [this, answer] {
            prompts.queueAnswer(answer);
            EXPECT_FALSE(window->close());
        };
    };
    const struct {
        const char* name;
        std::function<void()> act; // at the first pause of the read
        QStringList messages;      // after the connect prompt
        bool closed;
    } cases[] = {
        {"Прервать clicked", clickAbort, {aborted}, false},
        {"Escape pressed", [this] { press("PageControl_Main", "Escape"); }, {aborted}, false},
        {"closing, the read goes on", closeAnswering(false), {question}, false},
        {"closing, the read given up", closeAnswering(true), {question, aborted}, true},
    };
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(write(intactRecording(), "other.vrl"))});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->show();
        prompts.clear();
        const bool saves = !c.messages.contains(aborted);
        if (saves)
            prompts.queueFileName(path);
        QFile::remove(path);
        QFile old(scratch);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        int pauses = 0, heldPauses = 0;
        clock->onPause = [&] {
            if (pauses++ == 0) {
                c.act();
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
        EXPECT_FALSE(window->documentLoaded()); // the drop was not taken
        EXPECT_EQ(prompts.texts().mid(1), c.messages);
        EXPECT_EQ(window->isVisible(), !c.closed);
        // A read given up keeps the data of the one before; a complete file ends with the
        // date, the last text.
        QFile kept(scratch);
        EXPECT_EQ(kept.open(QIODevice::ReadOnly) && kept.readAll() == "old", !saves);
        EXPECT_EQ(QFile(path).size(), saves ? 270337 + 150 + 8 : 0);
        EXPECT_FALSE(find<QPushButton>("Button_Abort")->isVisible());
        EXPECT_TRUE(find<QAction>("Menu_Open")->isEnabled());
        EXPECT_FALSE(find<QAction>("SavePicture_KZ")->isEnabled()); // greyed before and after
    }
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
