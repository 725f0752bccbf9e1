#pragma once

#include <cstddef>

// Where everything lives in a recorder file. The first kImageSize bytes are the
// recorder's memory image; the rest was added by the transfer device and the operator.
namespace zurval::filemap {

constexpr std::size_t kImageSize = 0x40800;
constexpr std::size_t kBankSize = 176;
constexpr std::size_t kBank0 = 0x000;
constexpr std::size_t kBank1 = 0x0B0;
constexpr std::size_t kRemovalDates = 0x160; // ten 3-byte dates
constexpr int kRemovalDateCount = 10;
constexpr std::size_t kFramePointer = 0x17E;           // 4 bytes
constexpr std::size_t kFramePointerComplement = 0x182; // 4 bytes
constexpr std::size_t kOverloads = 0x2FE;
constexpr int kOverloadCount = 3200;
constexpr std::size_t kOverloadSize = 10;
constexpr std::size_t kFrames = 0x8000;
constexpr int kFrameCount = 7168;
constexpr std::size_t kFrameSize = 32;
constexpr std::size_t kFrameMarkOffset = 31;
constexpr std::size_t kParKran = 0x40002;
constexpr std::size_t kProtect = 0x40070;
constexpr std::size_t kStoredImageSum = 0x40800; // u32
constexpr std::size_t kDeviceExtra = 0x40804;
constexpr std::size_t kDeviceLastByte = 0x42000;
constexpr std::size_t kOperatorBlock = 0x42001;
constexpr std::size_t kOperatorFieldSize = 50;
constexpr int kOperatorFieldCount = 4;
constexpr std::size_t kMapEnd = kOperatorBlock + kOperatorFieldCount * kOperatorFieldSize;

// Bytes 0 .. kImageSumLength-1 make up the whole-image sum; the last image byte is left out.
constexpr std::size_t kImageSumLength = kImageSize - 1;

// Marks in byte 31 of a frame slot.
constexpr unsigned char kDateFrameMark = 0xA0;
constexpr unsigned char kDateFrameMarkAlt = 0x91;
constexpr unsigned char kLastRecordMark = 0xAF;

} // namespace zurval::filemap
