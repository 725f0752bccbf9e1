#pragma once

#include "core/common/ByteReader.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace zurval {

// A block is intact when the byte after its data is the complement of the 8-bit sum
// of the data. Inline, as the rings test one block per record.
[[nodiscard]] inline std::uint8_t blockChecksumByte(const ByteReader& r, std::size_t start,
                                                    std::size_t length) {
    return static_cast<std::uint8_t>(~r.sum(start, length));
}
[[nodiscard]] inline bool blockChecksumOk(const ByteReader& r, std::size_t start,
                                          std::size_t length) {
    return r.u8(start + length) == blockChecksumByte(r, start, length);
}
// The same for the first Len bytes of a record, its checksum in the byte after them.
template <std::size_t Len, std::size_t N>
[[nodiscard]] bool blockChecksumOk(const FixedBytes<N>& record) {
    return record.template u8<Len>() == static_cast<std::uint8_t>(~record.template sum<Len>());
}

// Sum of the image bytes that the stored whole-image sum guards.
[[nodiscard]] std::uint32_t imageSum(const ByteReader& r);
[[nodiscard]] std::uint32_t storedImageSum(const ByteReader& r);
[[nodiscard]] inline bool imageSumOk(const ByteReader& r) {
    return imageSum(r) == storedImageSum(r);
}

struct ChecksummedBlock {
    std::size_t start;
    std::size_t length; // data bytes; the checksum byte follows
    QString message;    // shown when the block fails
};

// Messages of the failed blocks, in list order.
[[nodiscard]] QStringList failedBlockMessages(const ByteReader& r,
                                              const std::vector<ChecksummedBlock>& blocks);

// The six checksummed blocks of Банк-0, then the six of Банк-1.
[[nodiscard]] const std::vector<ChecksummedBlock>& serviceBankBlocks();

} // namespace zurval
