#include "CycleFrame.h"

#include "BitText.h"
#include "Checksums.h"
#include "ServiceBank.h"

#include <algorithm>

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
constexpr std::size_t kLoadMoment = 24;  // u8, %
constexpr std::size_t kDateTime = 25;    // 3 BCD bytes
constexpr std::size_t kHealth = 28;      // u8
constexpr std::size_t kReached = 29;     // u8
constexpr std::size_t kChecksummed = 30; // bytes 0..29, their checksum at 30

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
constexpr qsizetype kTimeLength = 8;           // HH:MM:SS
constexpr qsizetype kCompletedTimeLength = 17; // HH:MM:SS DD.MM.YY

float scaled(std::int16_t raw, double factor) {
    return static_cast<float>(raw * factor);
}

// HH:MM:SS from the bytes seconds, minutes, hours, each as two hexadecimal digits. Room is
// kept for the date that the date completion appends, so that it needs no second allocation.
QString timeText(const ByteReader& r, std::size_t at) {
    QString text(kCompletedTimeLength, Qt::Uninitialized);
    QChar* out = text.data();
    const std::uint8_t bytes[] = {r.u8(at + 2), r.u8(at + 1), r.u8(at)};
    for (int k = 0; k < 3; ++k) {
        out[3 * k] = QChar(kHexDigits[bytes[k] >> 4]);
        out[3 * k + 1] = QChar(kHexDigits[bytes[k] & 0x0F]);
        if (k < 2)
            out[3 * k + 2] = QChar(u':');
    }
    text.resize(kTimeLength);
    return text;
}

// Each time frame gets the date of the nearest date frame before it; the frames before the
// first date frame get that first date.
void completeDates(FrameArray& frames) {
    QString date;
    bool seenDate = false;
    for (int k = 0; k < kFrameCapacity; ++k) {
        CycleFrame& f = frames[k];
        if (isDateFrameMark(f.mark)) {
            date = f.dateTime;
            if (!seenDate) {
                for (int e = 0; e < k; ++e)
                    frames[e].dateTime.append(date);
            }
            seenDate = true;
        } else {
            f.dateTime.append(QChar(u' ')).append(date);
        }
    }
}

// Slot index before the slot that a write pointer names, truncating toward zero.
std::int64_t slotBefore(std::int32_t pointer) {
    return (static_cast<std::int64_t>(pointer) - static_cast<std::int64_t>(kFrames)) /
               static_cast<std::int64_t>(kFrameSize) -
           1;
}

} // namespace

bool isDateFrameMark(int mark) {
    return mark == kDateFrameMark || mark == kDateFrameMarkAlt;
}

FramePointer readFramePointer(const ByteReader& r) {
    return {r.s32le(kFramePointer), static_cast<std::int32_t>(~r.u32le(kFramePointerComplement))};
}

void decodeFrameSlots(const ByteReader& r, int recorderVersion, FrameArray& frames) {
    const QString good = QStringLiteral("Норма");
    const QString bad = QStringLiteral("Брак");
    for (int i = 0; i < kFrameCapacity; ++i) {
        const std::size_t at = kFrames + static_cast<std::size_t>(i) * kFrameSize;
        CycleFrame& f = frames[static_cast<std::size_t>(i)];
        f.number = i;
        f.wind = scaled(r.s16le(at + kWind), 0.1);
        f.travel = scaled(r.s16le(at + kTravel), 0.01);
        f.hookHeight = scaled(r.s16le(at + kHookHeight), 0.01);
        f.azimuth = scaled(r.s16le(at + kAzimuth), 0.1);
        f.temperature = r.s16le(at + kTemperature);
        f.radius = scaled(r.s16le(at + kRadius), 0.01);
        f.force = r.s16le(at + kForce);
        f.loadMass = scaled(r.s16le(at + kLoadMass), 0.01);
        f.inputs = bitText(r.u16le(at + kInputs));
        f.relays = bitText(r.u16le(at + kRelays));
        f.limitsEntered = bitText(r.u16le(at + kEntered));
        f.limitsTriggered = bitText(r.u16le(at + kTriggered));
        f.loadMoment = r.u8(at + kLoadMoment);
        f.health = r.u8(at + kHealth);
        f.limitsReached = r.u8(at + kReached);
        f.mark = r.u8(at + kFrameMarkOffset);
        f.dateTime =
            isDateFrameMark(f.mark) ? bcdDate(r, at + kDateTime) : timeText(r, at + kDateTime);
        const bool intact = recorderVersion != 2 || blockChecksumOk(r, at, kChecksummed);
        f.checksumState = intact ? good : bad;
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
                 FrameArray& selection) {
    const int newest = newestFrameSlot(p, frames, recorderVersion);
    // The selection ends as a copy of the list, so the slots are laid out there first and
    // then copied back: each entry moves once instead of being swapped round in place.
    for (int k = 0; k < kFrameCapacity; ++k) {
        CycleFrame& f = selection[static_cast<std::size_t>(k)];
        f = std::move(frames[static_cast<std::size_t>((newest + 1 + k) % kFrameCapacity)]);
        f.number = k;
    }
    completeDates(selection);
    frames = selection;
}

} // namespace zurval
