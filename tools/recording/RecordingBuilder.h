#pragma once

#include "core/recorder/Checksums.h"
#include "core/recorder/ServiceBank.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zurval {

// One frame slot as the recorder stores it, before any scaling.
struct FrameSlot {
    std::int16_t wind = 0;        // 0.1 m/s
    std::int16_t travel = 0;      // 0.01 m
    std::int16_t hookHeight = 0;  // 0.01 m
    std::int16_t azimuth = 0;     // 0.1 degree
    std::int16_t temperature = 0; // degree
    std::int16_t radius = 0;      // 0.01 m
    std::int16_t force = 0;       // kgf
    std::int16_t loadMass = 0;    // 0.01 t
    std::uint16_t inputs = 0;
    std::uint16_t relays = 0;
    std::uint16_t limitsEntered = 0;
    std::uint16_t limitsTriggered = 0;
    std::uint8_t loadMoment = 0; // %
    // BCD seconds, minutes, hours; day, month, year in a date frame.
    std::array<std::uint8_t, 3> dateTime{};
    std::uint8_t health = 0;
    std::uint8_t limitsReached = 0;
    std::uint8_t mark = 0;
};

// One overload record as stored.
struct OverloadSlot {
    std::int16_t radius = 0;            // 0.01 m
    std::int16_t ratedLoad = 0;         // 0.01 t
    std::uint8_t loadPercent = 0;       // 0 leaves the record empty
    std::array<std::uint8_t, 3> date{}; // BCD day, month, year
    std::uint8_t mark = 0;
};

// A point of a coordinate-protection zone, in hundredths of a metre.
struct ZonePoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// Builds recorder files field by field: start blank, set fields, then fix every checksum
// (or break chosen ones) and write. Used by the tests and by the sample generator.
class RecordingBuilder {
public:
    RecordingBuilder();

    // Raw access; every setter grows the file as needed.
    RecordingBuilder& u8(std::size_t off, std::uint8_t v);
    RecordingBuilder& u16le(std::size_t off, std::uint16_t v);
    RecordingBuilder& u24le(std::size_t off, std::uint32_t v);
    RecordingBuilder& u32le(std::size_t off, std::uint32_t v);
    RecordingBuilder& f32le(std::size_t off, float v);
    RecordingBuilder& raw(std::size_t off, const std::vector<std::uint8_t>& bytes);
    RecordingBuilder& fill(std::size_t off, std::size_t len, std::uint8_t v);

    // Checksum byte after [start, start + length).
    RecordingBuilder& fixBlock(std::size_t start, std::size_t length);
    RecordingBuilder& breakBlock(std::size_t start, std::size_t length);
    // Fixes each block in list order, so a block that covers earlier checksum bytes comes last.
    RecordingBuilder& fixBlocks(const std::vector<ChecksummedBlock>& blocks);
    // Fixes the twelve bank blocks.
    RecordingBuilder& fixBankChecksums();
    // Stores the whole-image sum (call after every other change to the image).
    RecordingBuilder& fixImageSum();
    RecordingBuilder& breakImageSum();

    // Operator texts in code page 1251; the file ends after the last non-empty one.
    RecordingBuilder& operatorBlock(const QString& name, const QString& certificate,
                                    const QString& organisation, const QString& readingDate);

    // Frame slot helpers: byte 31 is the slot's mark.
    RecordingBuilder& frameMark(int slot, std::uint8_t mark);
    // Bytes 0..29 and the mark; the checksum byte 30 is left alone so that tests can spoil it.
    RecordingBuilder& frame(int slot, const FrameSlot& f);
    // The write pointer and its complement, its second copy.
    RecordingBuilder& framePointer(std::uint32_t p);
    // Bytes 0..7 and the mark; the checksum byte 8 is left alone.
    RecordingBuilder& overload(int index, const OverloadSlot& o);
    // Every field of one bank's layout; its checksum bytes are left alone. Texts longer than
    // their field are cut.
    RecordingBuilder& bank(int bank, const ServiceBankValues& v);
    RecordingBuilder& removalDate(int k, const QString& ddmmyy);
    // A protection zone at start: the stored count, then the points; the checksum is left alone.
    RecordingBuilder& protectionZone(std::size_t start, std::uint16_t count,
                                     const std::vector<ZonePoint>& points);
    // The twelve bank blocks, the blocks of PAR_KRAN in that layout version and of PROTECT,
    // for version 2 also every frame and overload record, and last the whole-image sum,
    // which covers all the other checksum bytes.
    RecordingBuilder& fixAllChecksums(int version);

    // Two decimal digits of 0..99 as one BCD byte.
    [[nodiscard]] static std::uint8_t bcd(int value);
    // "DD.MM.YY" as three bytes; each digit pair is read as hexadecimal so that "FF" can be stored.
    [[nodiscard]] static std::array<std::uint8_t, 3> bcdDateBytes(const QString& ddmmyy);
    [[nodiscard]] static RecorderDate recorderDate(const QString& ddmmyy);

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    // Cuts or extends (with zeros) the file to exactly n bytes.
    RecordingBuilder& resize(std::size_t n);
    // Writes atomically: the file appears complete or not at all. On failure *error, when
    // given, gets the reason.
    [[nodiscard]] bool write(const QString& path, QString* error = nullptr) const;

private:
    void ensure(std::size_t end);
    RecordingBuilder& text(std::size_t off, std::size_t width, const QByteArray& encoded);
    std::vector<std::uint8_t> bytes_;
};

} // namespace zurval
