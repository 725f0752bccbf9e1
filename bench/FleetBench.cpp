#include "FleetFiles.h"
#include "core/export/FleetSummary.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace zurval;
using namespace zurval::bench;

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
