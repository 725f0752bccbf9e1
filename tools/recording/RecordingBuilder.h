#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zurval {

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

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    // Cuts or extends (with zeros) the file to exactly n bytes.
    RecordingBuilder& resize(std::size_t n);
    [[nodiscard]] bool write(const QString& path) const;

private:
    void ensure(std::size_t end);
    std::vector<std::uint8_t> bytes_;
};

} // namespace zurval
