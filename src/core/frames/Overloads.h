#pragma once

#include "core/common/ByteReader.h"
#include "core/frames/RecordTables.h"
#include "core/recorder/FileMap.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace zurval {

constexpr int kOverloadCapacity = filemap::kOverloadCount;

// One decoded overload record, as read; RecordTexts makes its texts.
struct OverloadRecord {
    std::int32_t number = 0;      // index in OverloadList (the record index before ordering)
    float radius = 0;             // m
    float ratedLoad = 0;          // t
    std::int32_t loadPercent = 0; // 0 in an empty record, whose date is not shown
    std::int32_t mark = 0;
    RecorderDate date;
    bool intact = false;  // the checksum holds (tested in layout 2 only)
    bool decoded = false; // false in a reset entry: it shows no checksum state
};

// OverloadList: fixed capacity, loading overwrites the entries.
using OverloadArray = std::array<OverloadRecord, kOverloadCapacity>;
using OverloadSelection = Selection<OverloadRecord, kOverloadCapacity>;

// Every record in stored order, number = record index. Checksums are tested for layout 2 only.
void decodeOverloads(const ByteReader& r, int recorderVersion, OverloadArray& records);

// Turns the decoded records into OverloadList in place: oldest first (the record after the
// highest one marked 0xAF, record 1 when none is), number = index. Then OverloadSelection
// selects every record. True when several records carry the mark: the open command then
// shows "Найдено несколько меток последней записи!".
[[nodiscard]] bool orderOverloads(OverloadArray& records, OverloadSelection& selection);

// The records the two lines under the selection group name, each while there is one.
struct OverloadHighlights {
    std::optional<OverloadRecord> largest; // Label_MaxM
    std::optional<OverloadRecord> last;    // Label_LastM: the newest intact record marked 0xAF
};
[[nodiscard]] OverloadHighlights overloadHighlights(const OverloadArray& list);
// The record Label_MaxM names: the largest intact overload above 120 %, of equal ones the
// newest; nullptr when there is none.
[[nodiscard]] const OverloadRecord* largestOverload(const OverloadArray& list);

// "Отобрать записи": resets OverloadSelection, then selects the records whose load
// percentage is above the threshold. A threshold that is no integer leaves the selection
// reset and gives the message to show instead of a count.
struct OverloadSelectionRun {
    QString error; // not empty: show it, nothing else changes
    int count = 0; // Label_Per_OtbZap
};
[[nodiscard]] OverloadSelectionRun selectOverloads(const OverloadArray& list,
                                                   const QString& thresholdText,
                                                   OverloadSelection& selection);

} // namespace zurval
