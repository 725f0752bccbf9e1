#include "core/frames/CyclicRecords.h"

namespace zurval {

void decodeCyclicAreas(const ByteReader& r, int recorderVersion, CyclicRecords& records) {
    records.framePointer = readFramePointer(r);
    decodeOverloads(r, recorderVersion, *records.overloadList);
    decodeFrameSlots(r, recorderVersion, *records.frameList);
}

bool orderCyclicAreas(int recorderVersion, CyclicRecords& records) {
    const bool severalMarks = orderOverloads(*records.overloadList, *records.overloadSelection);
    orderFrames(records.framePointer, recorderVersion, *records.frameList, *records.frameSelection);
    return severalMarks;
}

} // namespace zurval
