#pragma once

#include "core/acquisition/DeviceCommands.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QAction;
class QProgressBar;
class QWidget;

namespace zurval {

class PanelStatusBar;
class Prompts;
class RecorderSession;
class TForm_saver;
class WindowTransferView;

// Where the device reads get their serial port and their pauses: the system's ports and
// clock, or scripted ones under test.
struct DeviceAccess {
    std::function<std::shared_ptr<SerialPort>()> port; // a fresh port for each command
    std::shared_ptr<Clock> clock;
    QString folder; // holds "temp.bin" and the save dialog's "bin_prm"; "" is the current one
};

// Считать ГМЕ-2 and Считать ГМЕ-3 of the main window. A read blocks the window: while it
// runs the window's menu items are disabled and the user's input to it is held back, but
// for the abort button beside the progress bar and Escape, which abort the transfer. The
// ВРЛ-2 data stay here until the next read.
class DeviceReads : public QObject {
    Q_OBJECT
public:
    DeviceReads(QWidget* window, RecorderSession& session, Prompts& prompts,
                PanelStatusBar* statusBar, QProgressBar* progressBar, QAbstractButton* abortButton);
    ~DeviceReads() override;

    void setAccess(DeviceAccess access) { access_ = std::move(access); }
    // The folder the save dialog starts in, when it still exists; else its own.
    void setStartFolder(std::function<QString()> folder) { startFolder_ = std::move(folder); }

    // The ВРЛ-2 on COM1 or COM2 (1 or 2); the port is kept for the next read.
    void readVrl2(int port);
    // The port of the last ВРЛ-2 read, 0 before the first.
    [[nodiscard]] int vrl2Port() const { return vrl2Port_; }
    // The ВРЛ-3, wherever the scan of the ports finds it.
    void readVrl3();
    // Ends the transfer of the running read before its next byte, as a device falling
    // silent ends it; the read then ends as such a read does. Nothing when no read runs.
    void abort();

    [[nodiscard]] bool running() const { return running_; }
    [[nodiscard]] const ReadOutcome& lastRead() const { return lastRead_; }
    [[nodiscard]] TForm_saver& operatorDialog() { return *operatorDialog_; }
    [[nodiscard]] WindowTransferView& transferView() { return *transferView_; }

signals:
    // A read has ended and the window takes commands again.
    void ended(const ReadOutcome& outcome);

private:
    void run(const std::function<ReadOutcome(const AcquisitionContext&)>& command);
    void begin();
    void end();

    QWidget* window_;
    Prompts& prompts_;
    DeviceAccess access_;
    std::function<QString()> startFolder_;
    ReceiveBuffer receiveBuffer_;
    WindowTransferView* transferView_ = nullptr;
    // Created at start-up after the window and before the About box; lives to the end.
    std::unique_ptr<TForm_saver> operatorDialog_;
    QObject* inputHold_ = nullptr;
    ReadOutcome lastRead_;
    int vrl2Port_ = 0;
    bool running_ = false;
    bool abortRequested_ = false;
    std::vector<QAction*> heldActions_; // the menu items a read disabled
};

} // namespace zurval
