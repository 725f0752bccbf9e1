#pragma once

#include "core/frames/CycleFrame.h"
#include "core/frames/Overloads.h"

#include <memory>

namespace zurval {

// The frame and overload tables of the loaded recording and their selections, on the heap
// for their size. They live as long as their owner; loading overwrites the entries.
struct CyclicRecords {
    std::unique_ptr<FrameArray> frameList = std::make_unique<FrameArray>();
    std::unique_ptr<FrameSelection> frameSelection = std::make_unique<FrameSelection>();
    std::unique_ptr<OverloadArray> overloadList = std::make_unique<OverloadArray>();
    std::unique_ptr<OverloadSelection> overloadSelection = std::make_unique<OverloadSelection>();
    FramePointer framePointer;
};

// Reads the write pointer and decodes the overload records and the frame slots as stored.
void decodeCyclicAreas(const ByteReader& r, int recorderVersion, CyclicRecords& records);

// Puts both rings oldest first and selects every entry of each. True when several overload
// records carry the last-record mark.
[[nodiscard]] bool orderCyclicAreas(int recorderVersion, CyclicRecords& records);

} // namespace zurval
