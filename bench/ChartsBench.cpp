#include "SampleRecording.h"
#include "core/document/RecorderSession.h"
#include "widgets/frames/ChartPages.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The sample recording, opened once.
const zurval::RecorderSession& sampleSession() {
    static const std::unique_ptr<zurval::RecorderSession> session = [] {
        auto s = std::make_unique<zurval::RecorderSession>();
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.vrl");
        if (!zurval::makeSampleRecording().write(path) ||
            !s->open(path, [](const zurval::OpenNotice&) {}))
            qFatal("cannot open the sample recording");
        return s;
    }();
    return *session;
}

const QRect kChartArea(0, 0, 780, 420);

// Open command step 19 for the charts: both filled from FrameList and drawn once.
void BM_FillAndDrawBothCharts(benchmark::State& state) {
    zurval::ParameterChartPage parameters(sampleSession());
    zurval::RelayChartPage relays(sampleSession());
    parameters.chart()->setViewport(kChartArea);
    relays.chart()->setViewport(kChartArea);
    for (auto _ : state) {
        parameters.show();
        relays.show();
    }
}
BENCHMARK(BM_FillAndDrawBothCharts)->Unit(benchmark::kMillisecond);

// One wheel step in or out around the middle, then the chart drawn again.
template <class Page> void repaintAfterZoomStep(benchmark::State& state) {
    Page page(sampleSession());
    page.chart()->setViewport(kChartArea);
    page.show();
    QCPAxis* frames = page.chart()->xAxis;
    bool zoomIn = true;
    for (auto _ : state) {
        frames->scaleRange(zoomIn ? 0.85 : 1 / 0.85, frames->range().center());
        zoomIn = !zoomIn;
        page.chart()->replot();
    }
}
void BM_RepaintParametersAfterZoomStep(benchmark::State& state) {
    repaintAfterZoomStep<zurval::ParameterChartPage>(state);
}
void BM_RepaintRelaysAfterZoomStep(benchmark::State& state) {
    repaintAfterZoomStep<zurval::RelayChartPage>(state);
}
BENCHMARK(BM_RepaintParametersAfterZoomStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintRelaysAfterZoomStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
