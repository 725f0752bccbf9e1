#include "SampleRecording.h"
#include "core/document/OpenRecording.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_OpenFullRecording(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.vrl");
    if (!zurval::makeSampleRecording().write(path)) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    // Everything the open command computes, without the widgets.
    auto document = std::make_unique<zurval::RecorderDocument>();
    for (auto _ : state)
        benchmark::DoNotOptimize(zurval::openRecording(path, *document));
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
