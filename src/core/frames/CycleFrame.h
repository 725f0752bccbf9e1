#pragma once

#include "ByteReader.h"
#include "FileMap.h"

#include <QString>
#include <array>
#include <cstdint>

namespace zurval {

constexpr int kFrameCapacity = filemap::kFrameCount;

// One decoded frame of the cyclic ring.
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
    QString inputs;     // bit texts of the four words
    QString relays;
    QString limitsEntered;
    QString limitsTriggered;
    std::int32_t loadMoment = 0; // %
    std::int32_t health = 0;     // fault code, 0 = no fault
    std::int32_t limitsReached = 0;
    std::int32_t mark = 0;
    QString dateTime;      // "DD.MM.YY" in a date frame, "HH:MM:SS DD.MM.YY" once dated
    QString checksumState; // "Норма" or "Брак"
};

// FrameList and FrameSelection: fixed capacity, loading overwrites the entries.
using FrameArray = std::array<CycleFrame, kFrameCapacity>;

// The two stored copies of the write pointer: the value at 382 and the complement of the
// value at 386, both as signed numbers.
struct FramePointer {
    std::int32_t pointer = 0;
    std::int32_t complementCopy = 0;
};

[[nodiscard]] bool isDateFrameMark(int mark);

[[nodiscard]] FramePointer readFramePointer(const ByteReader& r);

// Every slot in slot order, number = slot index. Checksums are tested for layout 2 only.
void decodeFrameSlots(const ByteReader& r, int recorderVersion, FrameArray& frames);

// The slot of the newest frame: the one before the write pointer when both copies agree,
// it lies in the ring, its frame is marked as newest (0xAF or 0x91) and the layout is 1 or
// later; else the highest slot marked 0xAF; else slot 0.
[[nodiscard]] int newestFrameSlot(const FramePointer& p, const FrameArray& ring,
                                  int recorderVersion);

// Turns the decoded slots into FrameList in place: oldest first (the slot after the newest),
// number = index, every time completed with its date. Then FrameSelection becomes a copy.
void orderFrames(const FramePointer& p, int recorderVersion, FrameArray& frames,
                 FrameArray& selection);

} // namespace zurval
