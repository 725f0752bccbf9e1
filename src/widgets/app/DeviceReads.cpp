#include "DeviceReads.h"

#include "PosixSerialPort.h"
#include "Saver.h"
#include "WindowTransferView.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>

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

DeviceReads::DeviceReads(QWidget* window, RecorderSession& session, Prompts& prompts,
                         PanelStatusBar* statusBar, QProgressBar* progressBar)
    : QObject(window), window_(window),
      prompts_(prompts), access_{[] { return std::make_shared<PosixSerialPort>(); },
                                 std::make_shared<SystemClock>(), QString()} {
    transferView_ = new WindowTransferView(statusBar, progressBar, session, this);
    inputHold_ = new InputHold(window, this);
    // Not a child of the window: its edits share their names with the service page's.
    operatorDialog_ = std::make_unique<TForm_saver>();
    operatorDialog_->setOwnerWindow(window);
}

DeviceReads::~DeviceReads() = default;

void DeviceReads::readVrl2(int port) {
    run([this, port](const AcquisitionContext& ctx) {
        return zurval::readVrl2(ctx, port, receiveBuffer_);
    });
}

void DeviceReads::readVrl3() {
    run([](const AcquisitionContext& ctx) {
        return zurval::readVrl3(ctx, QDateTime::currentDateTime());
    });
}

void DeviceReads::run(const std::function<ReadOutcome(const AcquisitionContext&)>& command) {
    if (running_)
        return;
    const std::shared_ptr<SerialPort> port = access_.port();
    const std::shared_ptr<Clock> clock = access_.clock;
    // Ends the read however the command ends, an exception included.
    struct Scope {
        DeviceReads& reads;
        explicit Scope(DeviceReads& r) : reads(r) { reads.begin(); }
        ~Scope() { reads.end(); }
    } scope(*this);
    lastRead_ = {};
    const QString folder = startFolder_ ? startFolder_() : QString();
    lastRead_ = command({*port, *clock, prompts_, *transferView_, *operatorDialog_, access_.folder,
                         !folder.isEmpty() && QDir(folder).exists() ? folder : QString()});
}

void DeviceReads::begin() {
    running_ = true;
    transferView_->startReporting();
    for (QAction* a : window_->findChildren<QAction*>())
        if (a->isEnabled()) {
            a->setEnabled(false);
            heldActions_.push_back(a);
        }
    qApp->installEventFilter(inputHold_);
}

void DeviceReads::end() {
    transferView_->noteShown();
    qApp->removeEventFilter(inputHold_);
    for (QAction* a : heldActions_)
        a->setEnabled(true);
    heldActions_.clear();
    running_ = false;
    emit ended(lastRead_);
}

} // namespace zurval
