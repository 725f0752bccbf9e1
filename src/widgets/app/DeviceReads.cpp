// The device reads of the main window: the menu commands, the port and clock they use, and
// how the window behaves while a transfer blocks it.

#include "MainWindow.h"
#include "PanelStatusBar.h"
#include "PosixSerialPort.h"
#include "Saver.h"
#include "ServicePages.h"
#include "WindowTransferView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace zurval {
namespace {

// Swallows what the user does to the main window while a transfer runs: clicks, keys, wheel,
// drops. The message boxes and dialogs of the command itself are windows of their own and
// still take input. Held back, rather than queued for later, so nothing the user did while
// waiting starts once the read is over.
class InputHold : public QObject {
public:
    InputHold(QWidget* window, QObject* parent) : QObject(parent), window_(window) {}

    bool eventFilter(QObject* receiver, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            break;
        default:
            return false;
        }
        const auto* w = qobject_cast<QWidget*>(receiver);
        return w && w->window() == window_;
    }

private:
    QWidget* window_;
};

} // namespace

void TForm_Main::setUpDeviceReads() {
    devices_ = {[] { return std::make_shared<PosixSerialPort>(); }, std::make_shared<SystemClock>(),
                QString()};
    transferView_ = new WindowTransferView(StatusBar_Main, ProgressBar_Read, session_, this);
    inputHold_ = new InputHold(this, this);
    // Not a child of the window: its edits share their names with the service page's.
    Form_saver = std::make_unique<TForm_saver>();
    Form_saver->setOwnerWindow(this);
}

void TForm_Main::Menu_COM1Click() {
    Menu_Read->setProperty("Tag", 1);
    Menu_ReadClick();
}

void TForm_Main::Menu_COM2Click() {
    Menu_Read->setProperty("Tag", 2);
    Menu_ReadClick();
}

void TForm_Main::Menu_ReadClick() {
    const int port = Menu_Read->property("Tag").toInt();
    runTransfer([this, port](const AcquisitionContext& ctx) {
        return readVrl2(ctx, port, receiveBuffer_);
    });
}

void TForm_Main::Menu_VRL3Click() {
    runTransfer(
        [](const AcquisitionContext& ctx) { return readVrl3(ctx, QDateTime::currentDateTime()); });
}

void TForm_Main::runTransfer(const std::function<ReadOutcome(const AcquisitionContext&)>& command) {
    if (transferRunning_)
        return;
    const std::shared_ptr<SerialPort> port = devices_.port();
    const std::shared_ptr<Clock> clock = devices_.clock;
    // Ends the transfer however the command ends, an exception included.
    struct Scope {
        TForm_Main& window;
        explicit Scope(TForm_Main& w) : window(w) { window.beginTransfer(); }
        ~Scope() { window.endTransfer(); }
    } scope(*this);
    lastRead_ = {};
    const QString lastFolder = recentFiles_.lastFolder();
    lastRead_ =
        command({*port, *clock, prompts_, *transferView_, *Form_saver, devices_.folder,
                 !lastFolder.isEmpty() && QDir(lastFolder).exists() ? lastFolder : QString()});
    if (!lastRead_.savedPath.isEmpty())
        rememberFile(lastRead_.savedPath);
}

void TForm_Main::beginTransfer() {
    transferRunning_ = true;
    transferView_->startReporting();
    for (QAction* a : findChildren<QAction*>())
        if (a->isEnabled()) {
            a->setEnabled(false);
            heldActions_.push_back(a);
        }
    qApp->installEventFilter(inputHold_);
}

void TForm_Main::endTransfer() {
    transferView_->noteShown();
    qApp->removeEventFilter(inputHold_);
    for (QAction* a : heldActions_)
        a->setEnabled(true);
    heldActions_.clear();
    transferRunning_ = false;
    if (closeWhenDone_) {
        closeWhenDone_ = false;
        close();
    }
}

void TForm_Main::closeEvent(QCloseEvent* e) {
    // A reading taken at the crane cannot be taken again: the window closes only once the
    // read has ended and its file, if any, is complete.
    if (transferRunning_) {
        closeWhenDone_ = true;
        e->ignore();
        return;
    }
    if (settings_)
        settings_->setValue("window/position", pos());
    QMainWindow::closeEvent(e);
}

} // namespace zurval
