#include "core/recorder/Checksums.h"
#include "RecordingBuilder.h"
#include "core/recorder/FileMap.h"

#include <gtest/gtest.h>

using namespace zurval;

TEST(BlockChecksum, IsTheComplementOfTheEightBitSum) {
    const std::vector<std::uint8_t> ok1 = {0x01, 0x02, 0x03, 0xF9};
    const std::vector<std::uint8_t> ok2 = {0x10, 0x20, 0x30, 0x9F};
    const std::vector<std::uint8_t> wraps = {0xFF, 0x02, 0xFE}; // sum 0x101 -> 0x01
    EXPECT_TRUE(blockChecksumOk(ByteReader(ok1), 0, 3));
    EXPECT_TRUE(blockChecksumOk(ByteReader(ok2), 0, 3));
    EXPECT_TRUE(blockChecksumOk(ByteReader(wraps), 0, 2));
    EXPECT_FALSE(
        blockChecksumOk(ByteReader(std::vector<std::uint8_t>{0x10, 0x20, 0x30, 0x9E}), 0, 3));
    // A block of zeros needs 0xFF, so an all-zero bank fails.
    EXPECT_FALSE(blockChecksumOk(ByteReader(std::vector<std::uint8_t>(5, 0)), 0, 4));
}

TEST(ImageSum, LeavesOutTheLastImageByte) {
    RecordingBuilder b;
    b.u8(0, 200).u8(0x1234, 100).u8(filemap::kImageSize - 2, 1).fixImageSum();
    EXPECT_EQ(storedImageSum(ByteReader(b.bytes())), 301u);
    b.u8(filemap::kImageSize - 1, 0x77); // not part of the sum
    EXPECT_TRUE(imageSumOk(ByteReader(b.bytes())));
    b.u8(5, 1);
    EXPECT_FALSE(imageSumOk(ByteReader(b.bytes())));
}

TEST(ImageSum, AllZeroAndEmptyFilesPass) {
    EXPECT_TRUE(imageSumOk(ByteReader(std::vector<std::uint8_t>(filemap::kMapEnd, 0))));
    EXPECT_TRUE(imageSumOk(ByteReader()));
}

TEST(ImageSum, LargestPossibleSumDoesNotWrap) {
    const std::vector<std::uint8_t> full(filemap::kImageSize, 0xFF);
    EXPECT_EQ(imageSum(ByteReader(full)), 264191u * 255u);
}

TEST(ServiceBankBlocks, ListsBank0ThenBank1WithTheirMessages) {
    const auto& blocks = serviceBankBlocks();
    ASSERT_EQ(blocks.size(), 12u);
    EXPECT_EQ(blocks[0].start, 0u);
    EXPECT_EQ(blocks[0].length, 43u);
    EXPECT_EQ(blocks[5].start, 156u);
    EXPECT_EQ(blocks[6].start, 176u);
    EXPECT_EQ(blocks[11].start, 332u);
    EXPECT_EQ(blocks[4].message,
              QString::fromUtf8("Ошибка контольной суммы время работы механизмов в Банке-0!"));
    EXPECT_EQ(blocks[7].message,
              QString::fromUtf8("Ошибка контольной суммы характеристического числа в Банке-1!"));
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(blocks[i + 6].start, blocks[i].start + filemap::kBankSize);
        // Each checksum byte sits inside its bank.
        EXPECT_LT(blocks[i].start + blocks[i].length, filemap::kBankSize);
        if (i > 0) {
            EXPECT_GT(blocks[i].start, blocks[i - 1].start + blocks[i - 1].length);
        }
    }
}
