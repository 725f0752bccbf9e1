#include "BenchSupport.h"
#include "SampleRecording.h"
#include "core/frames/CyclicRecords.h"
#include "render/reports/ListReports.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// "Оперативная информация" over every frame of the sample, laid out and written as a PDF
// file, as --report oper --range 0-7167 does after opening.
void BM_OperationalReportOfAllFramesToPdf(benchmark::State& state) {
    zurval::bench::ensureGuiApplication();
    const zurval::RecordingBuilder sample = zurval::makeSampleRecording();
    zurval::CyclicRecords records;
    zurval::decodeCyclicAreas(zurval::ByteReader(sample.bytes()), 2, records);
    (void)zurval::orderCyclicAreas(2, records);
    QTemporaryDir dir;
    const QString path = dir.filePath("oper.pdf");
    for (auto _ : state) {
        const zurval::BuiltReport report = zurval::operationalReport(
            zurval::ShownTexts(), *records.frameList, {0, zurval::kFrameCapacity - 1});
        if (!zurval::report::writePdf(report.pages, path))
            state.SkipWithError("cannot write the PDF file");
        state.counters["pages"] = static_cast<double>(report.pages.pages.size());
    }
}
BENCHMARK(BM_OperationalReportOfAllFramesToPdf)->Unit(benchmark::kMillisecond);

} // namespace
