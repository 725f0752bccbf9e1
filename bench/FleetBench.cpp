#include "Cp1251.h"
#include "FileMap.h"
#include "FleetSummary.h"
#include "SampleRecording.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace zurval;

constexpr int kReadingsPerCrane = 10;

// count readings of count / 10 cranes, each a variant of the sample recording (about 270 KB):
// its own crane and recorder number, motor hours growing by ten hours a month, a reading
// date a month after the one before.
bool writeFleet(const QString& folder, int count) {
    const RecordingBuilder sample = makeSampleRecording();
    for (int i = 0; i < count; ++i) {
        const int crane = i / kReadingsPerCrane;
        const int month = i % kReadingsPerCrane;
        RecordingBuilder b = sample;
        QByteArray recorder = toCp1251(QStringLiteral("РП%1").arg(crane, 5, 10, QChar('0')));
        recorder.resize(bankmap::kRecorderNumberWidth, '\0');
        for (const std::size_t bank : {filemap::kBank0, filemap::kBank1}) {
            b.u16le(bank + bankmap::kCraneNumber, static_cast<std::uint16_t>(1000 + crane));
            b.raw(bank + bankmap::kRecorderNumber, {recorder.begin(), recorder.end()});
            b.u24le(bank + bankmap::kMotorMinutes,
                    static_cast<std::uint32_t>(500000 + 600 * month));
        }
        b.fixBankChecksums().fixImageSum();
        b.operatorBlock(QStringLiteral("Сидоренко А. В."), QStringLiteral("УК-0417/23"),
                        QStringLiteral("ООО «Кранмонтажсервис»"),
                        QDate(2025, 1, 15).addMonths(month).toString(QStringLiteral("dd.MM.yyyy")));
        const QString craneFolder =
            QStringLiteral("%1/кран %2").arg(folder).arg(crane, 3, 10, QChar('0'));
        if (!QDir().mkpath(craneFolder) ||
            !b.write(QStringLiteral("%1/считывание %2.vrl").arg(craneFolder).arg(month)))
            return false;
    }
    return true;
}

// The summary of a folder of recordings on every core, from the walk to the ordered rows.
// The files were just written, so they are read from the page cache.
void BM_FleetSummary(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    if (!dir.isValid() || !writeFleet(dir.path(), count)) {
        state.SkipWithError("cannot write the recordings");
        return;
    }
    for (auto _ : state) {
        const std::vector<RecordingSummary> rows = summarizeFolder(dir.path());
        if (static_cast<int>(rows.size()) != count)
            state.SkipWithError("a file went missing");
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["files/s"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = benchmark::Counter(count * static_cast<double>(filemap::kMapEnd) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FleetSummary)->Arg(2000)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
