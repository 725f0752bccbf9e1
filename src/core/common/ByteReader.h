#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zurval {

// Little-endian reader over a bounded byte view. Bytes past the end read as zero,
// because a short recorder file is decoded as if its missing tail were blank.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(const std::vector<std::uint8_t>& bytes)
        : data_(bytes.data()), size_(bytes.size()) {}

    [[nodiscard]] std::size_t size() const { return size_; }

    [[nodiscard]] std::uint8_t u8(std::size_t off) const { return off < size_ ? data_[off] : 0; }
    [[nodiscard]] std::int8_t s8(std::size_t off) const {
        return static_cast<std::int8_t>(u8(off));
    }
    [[nodiscard]] std::uint16_t u16le(std::size_t off) const {
        return static_cast<std::uint16_t>(at(off, 0) | (at(off, 1) << 8));
    }
    [[nodiscard]] std::int16_t s16le(std::size_t off) const {
        return static_cast<std::int16_t>(u16le(off));
    }
    [[nodiscard]] std::uint32_t u24le(std::size_t off) const {
        return static_cast<std::uint32_t>(at(off, 0)) |
               (static_cast<std::uint32_t>(at(off, 1)) << 8) |
               (static_cast<std::uint32_t>(at(off, 2)) << 16);
    }
    [[nodiscard]] std::uint32_t u32le(std::size_t off) const {
        return u24le(off) | (static_cast<std::uint32_t>(at(off, 3)) << 24);
    }
    [[nodiscard]] std::uint64_t u64le(std::size_t off) const {
        std::uint64_t value = 0;
        for (std::size_t k = 8; k-- > 0;)
            value = value << 8 | at(off, k);
        return value;
    }
    [[nodiscard]] std::int32_t s32le(std::size_t off) const {
        return static_cast<std::int32_t>(u32le(off));
    }
    [[nodiscard]] float f32le(std::size_t off) const {
        const std::uint32_t bits = u32le(off);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // The sum of the bytes of [off, off + len), those past the end counting as zero. One
    // bound test for the whole stretch; the blocks of a fixed length let the compiler add
    // many bytes at once even at -O2.
    [[nodiscard]] std::uint32_t sum(std::size_t off, std::size_t len) const {
        if (off >= size_)
            return 0;
        const std::uint8_t* p = data_ + off;
        const std::size_t n = len < size_ - off ? len : size_ - off;
        constexpr std::size_t kBlock = 64;
        std::uint32_t total = 0;
        std::size_t i = 0;
        for (; i + kBlock <= n; i += kBlock) {
            std::uint32_t block = 0;
            for (std::size_t k = 0; k < kBlock; ++k)
                block += p[i + k];
            total += block;
        }
        // The short blocks of a record's checksum, eight bytes at a time: neighbouring
        // bytes added in 16-bit lanes, then the lanes gathered in the top one by a multiply.
        constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
        for (; i + sizeof(std::uint64_t) <= n; i += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, p + i, sizeof word);
            const std::uint64_t lanes = (word & kEvenBytes) + ((word >> 8) & kEvenBytes);
            total += static_cast<std::uint32_t>((lanes * 0x0001000100010001ull) >> 48);
        }
        for (; i < n; ++i)
            total += p[i];
        return total;
    }
    // A copy of [off, off + len), zero-filled where it runs past the end.
    [[nodiscard]] std::vector<std::uint8_t> bytes(std::size_t off, std::size_t len) const {
        std::vector<std::uint8_t> out(len, 0);
        for (std::size_t i = 0; i < len; ++i)
            out[i] = at(off, i);
        return out;
    }

    // [off, off + N) as a copy, zero-filled where it runs past the end: the bytes of one
    // record, for FixedBytes to read its fields.
    template <std::size_t N>
    [[nodiscard]] std::array<std::uint8_t, N> block(std::size_t off) const {
        std::array<std::uint8_t, N> out{};
        if (off < size_ && N <= size_ - off) {
            std::memcpy(out.data(), data_ + off, N);
        } else {
            for (std::size_t i = 0; i < N; ++i)
                out[i] = at(off, i);
        }
        return out;
    }

private:
    // Byte k of the field at off; written so that off + k cannot wrap around.
    [[nodiscard]] std::uint8_t at(std::size_t off, std::size_t k) const {
        return off < size_ && k < size_ - off ? data_[off + k] : 0;
    }

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// The bytes of one record copied out of the image (ByteReader::block). Its fields lie at
// offsets known when compiling and are checked against its size then, so reading one costs
// no bound test: the rings read thousands of records at every open.
template <std::size_t N> class FixedBytes {
public:
    explicit FixedBytes(const std::array<std::uint8_t, N>& bytes) : bytes_(bytes) {}

    template <std::size_t Off> [[nodiscard]] std::uint8_t u8() const {
        static_assert(Off < N, "the field lies outside the record");
        return bytes_[Off];
    }
    template <std::size_t Off> [[nodiscard]] std::uint16_t u16le() const {
        static_assert(Off + 2 <= N, "the field lies outside the record");
        return static_cast<std::uint16_t>(bytes_[Off] | (bytes_[Off + 1] << 8));
    }
    template <std::size_t Off> [[nodiscard]] std::int16_t s16le() const {
        return static_cast<std::int16_t>(u16le<Off>());
    }
    // The sum of the first Len bytes.
    template <std::size_t Len> [[nodiscard]] std::uint32_t sum() const {
        static_assert(Len <= N, "the block lies outside the record");
        return ByteReader(bytes_.data(), N).sum(0, Len);
    }

private:
    std::array<std::uint8_t, N> bytes_;
};

} // namespace zurval
