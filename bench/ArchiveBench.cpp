#include "FleetFiles.h"
#include "core/archive/FleetArchive.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace zurval;
using namespace zurval::bench;

// Adding a folder of recordings to an empty SQLite archive on every core: the walk, the
// decoding and the writing. The files were just written, so they are read from the page
// cache.
void BM_ArchiveAdd(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    if (!dir.isValid() || !writeFleet(dir.filePath("парк"), count)) {
        state.SkipWithError("cannot write the recordings");
        return;
    }
    int run = 0;
    for (auto _ : state) {
        QString error;
        const auto archive = FleetArchive::open(
            dir.filePath(QStringLiteral("archive-%1.sqlite").arg(run++)), &error);
        if (!archive || archive->add({dir.filePath("парк")}).added != count)
            state.SkipWithError("a reading was not added");
    }
    state.counters["files/s"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ArchiveAdd)
    ->Arg(100)
    ->Arg(2000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

// The rows of "Парк кранов" for that many cranes of two readings each, forecasts included.
void BM_ArchiveListCranes(benchmark::State& state) {
    const int cranes = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QString error;
    const auto archive = FleetArchive::open(dir.filePath("archive.sqlite"), &error);
    if (!archive || !writeFleet(dir.filePath("парк"), 2 * cranes, 2) ||
        archive->add({dir.filePath("парк")}).added != 2 * cranes) {
        state.SkipWithError("cannot fill the archive");
        return;
    }
    for (auto _ : state) {
        const auto rows = archive->fleet();
        if (!rows || static_cast<int>(rows->size()) != cranes)
            state.SkipWithError("a crane went missing");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ArchiveListCranes)->Arg(20)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
