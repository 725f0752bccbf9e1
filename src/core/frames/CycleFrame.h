#pragma once

#include "core/common/ByteReader.h"
#include "core/frames/RecordTables.h"
#include "core/recorder/FileMap.h"

#include <array>
#include <cstdint>

namespace zurval {

constexpr int kFrameCapacity = filemap::kFrameCount;

// One decoded frame of the cyclic ring, as read; RecordTexts makes its texts.
struct CycleFrame {
    std::int32_t number = 0; // index in FrameList (the slot index before unrolling)
    float wind = 0;          // m/s
    float travel = 0;        // m
    float hookHeight = 0;    // m
    float azimuth = 0;       // degrees
    std::int32_t temperature = 0;
    float radius = 0;   // m
    float force = 0;    // kgf
    float loadMass = 0; // t
    std::uint16_t inputs = 0;
    std::uint16_t relays = 0;
    std::uint16_t limitsEntered = 0;
    std::uint16_t limitsTriggered = 0;
    std::int32_t loadMoment = 0; // %
    std::int32_t health = 0;     // fault code, 0 = no fault
    std::int32_t limitsReached = 0;
    std::int32_t mark = 0;
    RecorderTime time; // of a time frame
    // A date frame's own date; for a time frame the date of the nearest date frame before
    // it, or of the first one for the frames before that. dated is false when the ring has
    // no date frame at all.
    RecorderDate date;
    bool dated = false;
    bool intact = false;  // the checksum holds (tested in layout 2 only)
    bool decoded = false; // false in a reset entry: it shows no words, time or checksum state
};

// FrameList: fixed capacity, loading overwrites the entries.
using FrameArray = std::array<CycleFrame, kFrameCapacity>;
using FrameSelection = Selection<CycleFrame, kFrameCapacity>;

// Whether bit b (0..15) of a word is set; any other b is not.
[[nodiscard]] constexpr bool bitSet(std::uint16_t word, int bit) {
    return bit >= 0 && bit < 16 && ((word >> bit) & 1u) != 0;
}
// Whether any of the bits first..last (within 0..15) is set.
[[nodiscard]] constexpr bool anyBitSet(std::uint16_t word, int first, int last) {
    for (int bit = first; bit <= last; ++bit) {
        if (bitSet(word, bit))
            return true;
    }
    return false;
}

// The two stored copies of the write pointer: the value at 382 and the complement of the
// value at 386, both as signed numbers.
struct FramePointer {
    std::int32_t pointer = 0;
    std::int32_t complementCopy = 0;
};

[[nodiscard]] constexpr bool isDateFrameMark(int mark) {
    return mark == filemap::kDateFrameMark || mark == filemap::kDateFrameMarkAlt;
}

[[nodiscard]] FramePointer readFramePointer(const ByteReader& r);

// Every slot in slot order, number = slot index. Checksums are tested for layout 2 only.
void decodeFrameSlots(const ByteReader& r, int recorderVersion, FrameArray& frames);

// The slot of the newest frame: the one before the write pointer when both copies agree,
// it lies in the ring, its frame is marked as newest (0xAF or 0x91) and the layout is 1 or
// later; else the highest slot marked 0xAF; else slot 0.
[[nodiscard]] int newestFrameSlot(const FramePointer& p, const FrameArray& ring,
                                  int recorderVersion);

// Turns the decoded slots into FrameList in place: oldest first (the slot after the newest),
// number = index, every time frame dated. Then FrameSelection selects every frame.
void orderFrames(const FramePointer& p, int recorderVersion, FrameArray& frames,
                 FrameSelection& selection);

} // namespace zurval
