#include "core/frames/CycleFrame.h"

#include "core/recorder/Checksums.h"

namespace zurval {
namespace {

using namespace filemap;

// Fields of a 32-byte slot, from the slot's start.
constexpr std::size_t kWind = 0;        // s16, 0.1 m/s
constexpr std::size_t kTravel = 2;      // s16, 0.01 m
constexpr std::size_t kHookHeight = 4;  // s16, 0.01 m
constexpr std::size_t kAzimuth = 6;     // s16, 0.1 degree
constexpr std::size_t kTemperature = 8; // s16, degree
constexpr std::size_t kRadius = 10;     // s16, 0.01 m
constexpr std::size_t kForce = 12;      // s16, kgf
constexpr std::size_t kLoadMass = 14;   // s16, 0.01 t
constexpr std::size_t kInputs = 16;     // four 16-bit words
constexpr std::size_t kRelays = 18;
constexpr std::size_t kEntered = 20;
constexpr std::size_t kTriggered = 22;
constexpr std::size_t kLoadMoment = 24; // u8, %
constexpr std::size_t kStamp = 25;      // seconds, minutes, hours; day, month, year in a date frame
constexpr std::size_t kHealth = 28;     // u8
constexpr std::size_t kReached = 29;    // u8
constexpr std::size_t kChecksummed = 30; // bytes 0..29, their checksum at 30

float scaled(std::int16_t raw, double factor) {
    return static_cast<float>(raw * factor);
}

// Each time frame gets the date of the nearest date frame before it; the frames before the
// first date frame get that first date.
void completeDates(FrameArray& frames) {
    const CycleFrame* first = nullptr;
    for (const CycleFrame& f : frames) {
        if (isDateFrameMark(f.mark)) {
            first = &f;
            break;
        }
    }
    if (!first)
        return;
    RecorderDate date = first->date;
    for (CycleFrame& f : frames) {
        if (isDateFrameMark(f.mark))
            date = f.date;
        f.date = date;
        f.dated = true;
    }
}

// Slot index before the slot that a write pointer names, truncating toward zero.
std::int64_t slotBefore(std::int32_t pointer) {
    return (static_cast<std::int64_t>(pointer) - static_cast<std::int64_t>(kFrames)) /
               static_cast<std::int64_t>(kFrameSize) -
           1;
}

} // namespace

FramePointer readFramePointer(const ByteReader& r) {
    return {r.s32le(kFramePointer), static_cast<std::int32_t>(~r.u32le(kFramePointerComplement))};
}

void decodeFrameSlots(const ByteReader& r, int recorderVersion, FrameArray& frames) {
    for (int i = 0; i < kFrameCapacity; ++i) {
        const FixedBytes<kFrameSize> s(
            r.block<kFrameSize>(kFrames + static_cast<std::size_t>(i) * kFrameSize));
        CycleFrame& f = frames[static_cast<std::size_t>(i)];
        f.number = i;
        f.wind = scaled(s.s16le<kWind>(), 0.1);
        f.travel = scaled(s.s16le<kTravel>(), 0.01);
        f.hookHeight = scaled(s.s16le<kHookHeight>(), 0.01);
        f.azimuth = scaled(s.s16le<kAzimuth>(), 0.1);
        f.temperature = s.s16le<kTemperature>();
        f.radius = scaled(s.s16le<kRadius>(), 0.01);
        f.force = s.s16le<kForce>();
        f.loadMass = scaled(s.s16le<kLoadMass>(), 0.01);
        f.inputs = s.u16le<kInputs>();
        f.relays = s.u16le<kRelays>();
        f.limitsEntered = s.u16le<kEntered>();
        f.limitsTriggered = s.u16le<kTriggered>();
        f.loadMoment = s.u8<kLoadMoment>();
        f.health = s.u8<kHealth>();
        f.limitsReached = s.u8<kReached>();
        f.mark = s.u8<kFrameMarkOffset>();
        f.dated = isDateFrameMark(f.mark);
        if (f.dated) {
            f.time = {};
            f.date = {s.u8<kStamp>(), s.u8<kStamp + 1>(), s.u8<kStamp + 2>()};
        } else {
            f.time = {s.u8<kStamp + 2>(), s.u8<kStamp + 1>(), s.u8<kStamp>()};
            f.date = {};
        }
        f.intact = recorderVersion != 2 || blockChecksumOk<kChecksummed>(s);
        f.decoded = true;
    }
}

int newestFrameSlot(const FramePointer& p, const FrameArray& ring, int recorderVersion) {
    const std::int64_t pointed = slotBefore(p.pointer);
    if (recorderVersion >= 1 && pointed == slotBefore(p.complementCopy) && pointed >= 0 &&
        pointed < kFrameCapacity) {
        const int mark = ring[static_cast<std::size_t>(pointed)].mark;
        if (mark == kLastRecordMark || mark == kDateFrameMarkAlt)
            return static_cast<int>(pointed);
    }
    for (int i = kFrameCapacity - 1; i >= 0; --i) {
        if (ring[static_cast<std::size_t>(i)].mark == kLastRecordMark)
            return i;
    }
    return 0;
}

void orderFrames(const FramePointer& p, int recorderVersion, FrameArray& frames,
                 FrameSelection& selection) {
    const int newest = newestFrameSlot(p, frames, recorderVersion);
    startRingAt(frames, static_cast<std::size_t>(newest) + 1);
    for (int k = 0; k < kFrameCapacity; ++k)
        frames[static_cast<std::size_t>(k)].number = k;
    completeDates(frames);
    selection.selectAll();
}

} // namespace zurval
