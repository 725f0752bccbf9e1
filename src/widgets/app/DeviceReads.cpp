#include "widgets/app/DeviceReads.h"

#include "core/acquisition/PosixSerialPort.h"
#include "widgets/acquisition/Saver.h"
#include "widgets/app/WindowTransferView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QKeyEvent>

namespace zurval {
namespace {

// Swallows what the user does to the main window while a transfer runs: clicks, keys, wheel,
// drops. The message boxes and dialogs of the command itself are windows of their own and
// still take input. Held back, rather than queued for later, so nothing the user did while
// waiting starts once the read is over. The abort button still takes its clicks, and Escape
// aborts.
class InputHold : public QObject {
public:
    InputHold(QWidget* window, QAbstractButton* abortButton, DeviceReads* reads)
        : QObject(reads), window_(window), abortButton_(abortButton), reads_(reads) {}

    bool eventFilter(QObject* receiver, QEvent* e) override {
        if (receiver == abortButton_)
            return false;
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
        if (!w || w->window() != window_)
            return false;
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
            reads_->abort();
        return true;
    }

private:
    QWidget* window_;
    QAbstractButton* abortButton_;
    DeviceReads* reads_;
};

} // namespace

DeviceReads::DeviceReads(QWidget* window, RecorderSession& session, Prompts& prompts,
                         PanelStatusBar* statusBar, QProgressBar* progressBar,
                         QAbstractButton* abortButton)
    : QObject(window), window_(window),
      prompts_(prompts), access_{[] { return std::make_shared<PosixSerialPort>(); },
                                 std::make_shared<SystemClock>(), QString()} {
    transferView_ = new WindowTransferView(statusBar, progressBar, abortButton, session, this);
    inputHold_ = new InputHold(window, abortButton, this);
    connect(abortButton, &QAbstractButton::clicked, this, &DeviceReads::abort);
    // Not a child of the window: its edits share their names with the service page's.
    operatorDialog_ = std::make_unique<TForm_saver>();
    operatorDialog_->setOwnerWindow(window);
}

DeviceReads::~DeviceReads() = default;

void DeviceReads::readVrl2(int port) {
    vrl2Port_ = port;
    run([this, port](const AcquisitionContext& ctx) {
        return zurval::readVrl2(ctx, port, receiveBuffer_);
    });
}

void DeviceReads::readVrl3() {
    run([](const AcquisitionContext& ctx) {
        return zurval::readVrl3(ctx, QDateTime::currentDateTime());
    });
}

void DeviceReads::abort() {
    if (running_)
        abortRequested_ = true;
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
                         !folder.isEmpty() && QDir(folder).exists() ? folder : QString(),
                         &abortRequested_});
}

void DeviceReads::begin() {
    running_ = true;
    abortRequested_ = false;
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
