#include "BenchSupport.h"
#include "SampleRecording.h"
#include "core/document/OpenRecording.h"
#include "render/protection/ProtectionPicture.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// One step of the playback: the sample's frame 142, with every zone switched on, the boom
// zone acting and a load under the hook, drawn at the design size into a fresh image.
void BM_DrawProtectionFrame(benchmark::State& state) {
    zurval::bench::ensureGuiApplication();
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.vrl");
    auto document = std::make_unique<zurval::RecorderDocument>();
    if (!zurval::makeSampleRecording().write(path) ||
        !zurval::openRecording(path, *document).opened) {
        state.SkipWithError("cannot open the sample");
        return;
    }
    const zurval::CycleFrame& frame = document->cyclic.frameList->at(142);
    const QSize area(754, 366);
    const zurval::ProtectionScales scales = zurval::fitScales({}, document->craneDimensions, area);
    for (auto _ : state)
        benchmark::DoNotOptimize(zurval::renderProtectionFrame(
            area, frame, document->craneDimensions, document->protection.zones,
            document->protection.limits, scales));
}
BENCHMARK(BM_DrawProtectionFrame)->Unit(benchmark::kMicrosecond);

} // namespace
