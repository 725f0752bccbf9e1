// A complete ВРЛ-2 read from zurval-device sending at the real line rate: how long it takes
// against the time the line and the protocol need, and how much of a core the read uses.

#include "automation/ScriptedPrompts.h"
#include "core/acquisition/DeviceCommands.h"
#include "core/acquisition/PosixSerialPort.h"

#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/resource.h>

namespace {

using namespace zurval;

// 270,336 bytes at 9,600 bytes a second, the pauses 1,000 + 300 + 500 + 250 ms, and the read
// that waits 2,000 ms for the line to fall silent after the last byte.
constexpr double kExpectedSeconds = 270336.0 / 9600.0 + 2.05 + 2.0;

struct QuietView : TransferView {
    void setStatusText(const QString&) override {}
    void setStatusColour(StatusColour) override {}
    void setProgressVisible(bool) override {}
    void setProgress(int) override {}
    void repaint() override {}
    OperatorBlock operatorTexts() const override { return {}; }
    void setOperatorTexts(const OperatorBlock&) override {}
};

struct OkDialog : OperatorDialog {
    bool ask(const std::optional<QString>&, OperatorBlock&) override { return true; }
};

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(u.ru_utime) + seconds(u.ru_stime);
}

void BM_Vrl2ReadAtLineRate(benchmark::State& state) {
    QProcess device;
    device.start(ZURVAL_DEVICE, {"vrl2", "--paced"});
    while (!device.canReadLine() && device.waitForReadyRead(30000)) {
    }
    qputenv("ZURVAL_COM1", device.readLine().trimmed());
    QTemporaryDir dir;

    for (auto _ : state) {
        PosixSerialPort port;
        SystemClock clock;
        ScriptedPrompts prompts;
        prompts.queueFileName(dir.filePath("read.vrl"));
        QuietView view;
        OkDialog dialog;
        ReceiveBuffer buffer;
        const double cpuBefore = cpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const ReadOutcome outcome =
            readVrl2({port, clock, prompts, view, dialog, dir.path()}, 1, buffer);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = cpuSeconds() - cpuBefore;
        if (outcome.savedPath.isEmpty() || !outcome.imageIntact)
            state.SkipWithError("the read did not complete");
        state.counters["seconds"] = wall;
        state.counters["expected_s"] = kExpectedSeconds;
        state.counters["off_by_pct"] = 100.0 * (wall - kExpectedSeconds) / kExpectedSeconds;
        state.counters["core_pct"] = 100.0 * cpu / wall;
    }
    device.terminate();
    device.waitForFinished();
}
BENCHMARK(BM_Vrl2ReadAtLineRate)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
