#include "Checksums.h"
#include "DutyClassification.h"
#include "FileMap.h"
#include "Opening.h"
#include "SampleRecording.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_OpenFullRecording(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.vrl");
    if (!zurval::makeSampleRecording().write(path)) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    // Everything the open command computes, without the widgets.
    for (auto _ : state) {
        const auto file = zurval::readRecorderFile(path);
        const zurval::ByteReader r = file->reader();
        benchmark::DoNotOptimize(zurval::runOpeningChecks(r));
        const zurval::ServiceInfo service = zurval::decodeServiceAfterLoad(r);
        benchmark::DoNotOptimize(zurval::classifyDuty(
            service.workingCycles, service.characteristicNumber, service.texts.normativeGroup));
    }
}
BENCHMARK(BM_OpenFullRecording)->Unit(benchmark::kMillisecond);

void BM_ImageSum(benchmark::State& state) {
    const zurval::RecordingBuilder sample = zurval::makeSampleRecording();
    const zurval::ByteReader r(sample.bytes());
    for (auto _ : state)
        benchmark::DoNotOptimize(zurval::imageSum(r));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(zurval::filemap::kImageSumLength));
}
BENCHMARK(BM_ImageSum)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
