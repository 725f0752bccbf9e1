#include "Opening.h"
#include "RecordingBuilder.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_OpenFullRecording(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("full.vrl");
    zurval::RecordingBuilder b;
    for (int slot = 0; slot < 7168; ++slot)
        b.frameMark(slot, 2);
    b.fixBankChecksums().fixImageSum().operatorBlock("Иванов", "123", "СМУ", "01.02.03");
    if (!b.write(path)) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    for (auto _ : state) {
        auto file = zurval::readRecorderFile(path);
        benchmark::DoNotOptimize(zurval::runOpeningChecks(file->reader()));
    }
}
BENCHMARK(BM_OpenFullRecording)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
