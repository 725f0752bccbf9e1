#include "FakeClock.h"
#include "FileAreas.h"
#include "ScriptedSerialPort.h"
#include "automation/ScriptedPrompts.h"
#include "core/acquisition/DeviceCommands.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

// zurval-fuzz-device: the ВРЛ-2 and ВРЛ-3 reads over the scripted port and the fake clock.
// The input's last bytes choose the device and what happens around the read (which ports
// answer the probe and how, how many bytes the device sends and how many before them, how
// long a byte takes, when the user aborts, the answers to the prompts); the rest are the
// bytes the device sends. Zero choices are an ordinary ВРЛ-2 read of the rest as it is.

using namespace zurval;
using fuzz::require;

namespace {

constexpr int kPortCount = 15; // the ВРЛ-3 scan
constexpr std::uint8_t kProbeAnswer = 0xA0;
// The counts of bytes sent after the surplus where a read changes its course. A read of a
// whole transfer takes a tenth of a second here, a short one a thousandth: any other count
// choice sends the rest of the input as it is.
constexpr std::size_t kCounts[] = {kCompleteTransfer - 1, kCompleteTransfer,
                                   kDeviceDataLength,     kReceiveBufferSize - 1,
                                   kReceiveBufferSize,    kReceiveBufferSize + 1};
static_assert(kCounts[fuzz::kSendsWholeTransfer - 1] == kCompleteTransfer);

// The main window as a read sees it: counts the steps that may block, and asks for the abort
// at the chosen one.
struct FuzzView : TransferView {
    int abortAtStep = 0; // 0: never
    int steps = 0;
    bool abort = false;
    bool progressVisible = false;
    OperatorBlock texts;

    void setStatusText(const QString&) override {}
    void setStatusColour(StatusColour) override {}
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgress(int percent) override {
        require(percent >= 0 && percent <= 100, "the progress bar shows 0 to 100");
    }
    void repaint() override {}
    void beforeBlockingStep() override { abort = abort || ++steps == abortAtStep; }
    OperatorBlock operatorTexts() const override { return texts; }
    void setOperatorTexts(const OperatorBlock& t) override { texts = t; }
};

struct FuzzDialog : OperatorDialog {
    bool pressOk = true;
    bool ask(const std::optional<QString>& readingDate, OperatorBlock& entered) override {
        entered = {QStringLiteral("Иванов"), QStringLiteral("12"), QStringLiteral("ООО"),
                   readingDate.value_or(QString())};
        return pressOk;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    FuzzedDataProvider in(data, size);
    const std::uint8_t count = in.ConsumeIntegral<std::uint8_t>();
    const bool vrl3 = in.ConsumeBool();
    const bool wrongPort = in.ConsumeBool();
    const bool declined = in.ConsumeBool();
    const bool refusesWrites = in.ConsumeBool();
    // Per port of the scan: 0 the device, 1 no port, 2 a port that does not answer, else the
    // answer to the probe (0xA0 makes it the device too).
    std::uint8_t ports[kPortCount];
    for (std::uint8_t& p : ports)
        p = in.ConsumeIntegral<std::uint8_t>();
    const auto surplus = in.ConsumeIntegral<std::uint16_t>(); // sent before those
    const auto surplusByte = in.ConsumeIntegral<std::uint8_t>();
    const auto msPerByte = in.ConsumeIntegral<std::uint8_t>();
    const auto abortAtStep = in.ConsumeIntegralInRange<std::uint32_t>(0, kReceiveBufferSize + 64);
    const bool folderMissing = in.ConsumeBool();
    const bool saveCancelled = in.ConsumeBool();
    const bool dialogCancelled = in.ConsumeBool();

    ScriptedDevice device;
    device.acceptsWrites = !refusesWrites;
    device.msPerByte = msPerByte;
    device.stream.assign(surplus, surplusByte);
    std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();
    if (count >= 1 && count <= std::size(kCounts))
        bytes.resize(kCounts[count - 1], 0);
    device.stream.insert(device.stream.end(), bytes.begin(), bytes.end());

    ScriptedSerialPort port;
    FakeClock clock;
    port.useClock(clock);
    ScriptedPrompts prompts;
    prompts.queueAnswer(!declined);
    const QString saved = folder.filePath(QStringLiteral("read.vrl"));
    QFile::remove(saved);
    if (!saveCancelled)
        prompts.queueFileName(saved);
    FuzzView view;
    view.abortAtStep = static_cast<int>(abortAtStep);
    FuzzDialog dialog;
    dialog.pressOk = !dialogCancelled;
    const QString here = folderMissing ? folder.filePath(QStringLiteral("missing")) : folder.path();
    AcquisitionContext ctx{port, clock, prompts, view, dialog, here};
    ctx.abortRequested = &view.abort;

    ReadOutcome outcome;
    if (vrl3) {
        for (int n = 0; n < kPortCount; ++n) {
            if (ports[n] == 1)
                continue;
            ScriptedDevice on; // silent
            if (ports[n] == 0 || ports[n] == kProbeAnswer)
                on = device, on.probeReply = kProbeAnswer;
            else if (ports[n] > 2)
                on.probeReply = ports[n];
            port.attach(QStringLiteral("\\\\.\\COM%1").arg(n), on);
        }
        outcome = readVrl3(ctx, QDateTime(QDate(2006, 12, 8), QTime(14, 5)));
    } else {
        port.attach(wrongPort ? QStringLiteral("COM2") : QStringLiteral("COM1"), device);
        ReceiveBuffer buffer;
        outcome = readVrl2(ctx, 1, buffer);
    }

    require(outcome.readCounter >= 0 &&
                outcome.readCounter <= static_cast<int>(ReceiveBuffer::size()) + 1,
            "the count is at most the buffer and the read that found it full");
    const bool complete = outcome.readCounter >= kCompleteReadCount;
    require(!outcome.imageIntact || complete, "only a complete read is checked");
    require(outcome.savedPath.isEmpty() ||
                (complete && QFileInfo(saved).size() >= static_cast<qint64>(kDeviceDataLength)),
            "a saved file holds a complete read");
    require(!view.progressVisible, "the progress bar is hidden at the end");
    return 0;
}
