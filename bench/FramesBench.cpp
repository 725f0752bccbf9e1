#include "SampleRecording.h"
#include "core/frames/CyclicRecords.h"

#include <benchmark/benchmark.h>

namespace {

// Open command steps 11, 12 and 17 on the sample: both rings decoded and ordered into tables
// that already hold the previous recording, as when a second file is opened.
void BM_DecodeAndOrderBothRings(benchmark::State& state) {
    const zurval::RecordingBuilder sample = zurval::makeSampleRecording();
    const zurval::ByteReader r(sample.bytes());
    zurval::CyclicRecords records;
    for (auto _ : state) {
        zurval::decodeCyclicAreas(r, 2, records);
        benchmark::DoNotOptimize(zurval::orderCyclicAreas(2, records));
    }
}
BENCHMARK(BM_DecodeAndOrderBothRings)->Unit(benchmark::kMicrosecond);

} // namespace
