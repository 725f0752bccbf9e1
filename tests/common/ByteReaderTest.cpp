#include "core/common/ByteReader.h"

#include <gtest/gtest.h>

using zurval::ByteReader;

TEST(ByteReader, ReadsLittleEndianWidthsIndependentOfHost) {
    const std::vector<std::uint8_t> b = {0x34, 0x12, 0xFE, 0xFF, 0x00, 0x00, 0x80, 0x3F};
    const ByteReader r(b);
    EXPECT_EQ(r.u16le(0), 0x1234);
    EXPECT_EQ(r.s16le(2), -2);
    EXPECT_EQ(r.u24le(0), 0xFE1234u);
    EXPECT_EQ(r.u32le(0), 0xFFFE1234u);
    EXPECT_EQ(r.u64le(0), 0x3F800000FFFE1234u);
    EXPECT_EQ(r.s32le(0), static_cast<std::int32_t>(0xFFFE1234u));
    EXPECT_FLOAT_EQ(r.f32le(4), 1.0f);
    EXPECT_EQ(r.s8(2), -2);
}

TEST(ByteReader, BytesPastTheEndReadAsZero) {
    const std::vector<std::uint8_t> b = {0xAA, 0xBB};
    const ByteReader r(b);
    EXPECT_EQ(r.u16le(1), 0x00BB);
    EXPECT_EQ(r.u32le(2), 0u);
    EXPECT_EQ(r.u8(SIZE_MAX), 0);
    EXPECT_EQ(r.u32le(SIZE_MAX - 1), 0u); // no wrap-around back to the start
    EXPECT_EQ(r.u64le(SIZE_MAX - 3), 0u);
    EXPECT_EQ(r.bytes(1, 3), (std::vector<std::uint8_t>{0xBB, 0, 0}));
    EXPECT_EQ(r.block<3>(1), (std::array<std::uint8_t, 3>{0xBB, 0, 0}));
    EXPECT_EQ(r.block<2>(SIZE_MAX), (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_EQ(ByteReader().u32le(0), 0u);
}

// The sum goes eight and sixty-four bytes at a time; every length and start, with bytes of
// 0xFF that fill each lane, must give what adding one byte at a time gives.
TEST(ByteReader, SumsAnyStretchAsOneByteAtATimeWould) {
    std::vector<std::uint8_t> b(300);
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = i % 3 ? 0xFF : static_cast<std::uint8_t>(i * 37);
    const ByteReader r(b);
    for (std::size_t off : {0, 1, 7, 250, 299, 300, 1000})
        for (std::size_t len = 0; len <= 140; ++len) {
            std::uint32_t expected = 0;
            for (std::size_t i = off; i < off + len; ++i)
                expected += r.u8(i);
            ASSERT_EQ(r.sum(off, len), expected) << off << " " << len;
        }
    EXPECT_EQ(r.sum(SIZE_MAX, 4), 0u);
    const zurval::FixedBytes<4> record(std::array<std::uint8_t, 4>{0xFF, 0xFE, 0x01, 0x02});
    EXPECT_EQ(record.sum<3>(), 0x1FEu);
    EXPECT_EQ(record.s16le<0>(), -257);
    EXPECT_EQ(record.u16le<2>(), 0x0201);
}
