#include "core/frames/Overloads.h"

#include "core/frames/IntegerText.h"
#include "core/recorder/Checksums.h"

namespace zurval {
namespace {

using namespace filemap;

// Fields of a 10-byte record, from the record's start.
namespace field {
constexpr std::size_t kRadius = 0;      // s16, 0.01 m
constexpr std::size_t kRatedLoad = 2;   // s16, 0.01 t
constexpr std::size_t kLoadPercent = 4; // u8, 0 = empty record
constexpr std::size_t kDate = 5;        // BCD day, month, year
constexpr std::size_t kChecksummed = 8; // bytes 0..7, their checksum at 8
constexpr std::size_t kMark = 9;        // layout version, 0xAF in the newest record
} // namespace field
constexpr int kOverloadThreshold = 120; // % above which the largest overload is named
} // namespace

void decodeOverloads(const ByteReader& r, int recorderVersion, OverloadArray& records) {
    for (int i = 0; i < kOverloadCapacity; ++i) {
        const FixedBytes<kOverloadSize> s(
            r.block<kOverloadSize>(kOverloads + static_cast<std::size_t>(i) * kOverloadSize));
        OverloadRecord& o = records[static_cast<std::size_t>(i)];
        o.number = i;
        o.radius = static_cast<float>(s.s16le<field::kRadius>() * 0.01);
        o.ratedLoad = static_cast<float>(s.s16le<field::kRatedLoad>() * 0.01);
        o.loadPercent = s.u8<field::kLoadPercent>();
        o.mark = s.u8<field::kMark>();
        o.date = {s.u8<field::kDate>(), s.u8<field::kDate + 1>(), s.u8<field::kDate + 2>()};
        o.intact = recorderVersion != 2 || blockChecksumOk<field::kChecksummed>(s);
        o.decoded = true;
    }
}

bool orderOverloads(OverloadArray& records, OverloadSelection& selection) {
    int newest = 0;
    int marks = 0;
    for (int i = 0; i < kOverloadCapacity; ++i) {
        if (records[static_cast<std::size_t>(i)].mark == kLastRecordMark) {
            newest = i;
            ++marks;
        }
    }
    startRingAt(records, static_cast<std::size_t>(newest) + 1);
    for (int k = 0; k < kOverloadCapacity; ++k)
        records[static_cast<std::size_t>(k)].number = k;
    selection.selectAll();
    return marks > 1;
}

const OverloadRecord* largestOverload(const OverloadArray& list) {
    const OverloadRecord* largest = nullptr;
    for (const OverloadRecord& o : list) {
        // Of equal overloads the newest is named.
        if (o.intact && o.loadPercent > kOverloadThreshold &&
            (!largest || o.loadPercent >= largest->loadPercent))
            largest = &o;
    }
    return largest;
}

OverloadHighlights overloadHighlights(const OverloadArray& list) {
    OverloadHighlights h;
    if (const OverloadRecord* largest = largestOverload(list))
        h.largest = *largest;
    for (const OverloadRecord& o : list) {
        if (o.intact && o.mark == kLastRecordMark)
            h.last = o;
    }
    return h;
}

OverloadSelectionRun selectOverloads(const OverloadArray& list, const QString& thresholdText,
                                     OverloadSelection& selection) {
    selection.clear();
    OverloadSelectionRun run;
    const std::optional<int> threshold = parseInteger(thresholdText);
    if (!threshold) {
        run.error = notAnIntegerMessage(thresholdText);
        return run;
    }
    for (int k = 0; k < kOverloadCapacity; ++k) {
        if (list[static_cast<std::size_t>(k)].loadPercent > *threshold)
            selection.add(k);
    }
    run.count = selection.count();
    return run;
}

} // namespace zurval
