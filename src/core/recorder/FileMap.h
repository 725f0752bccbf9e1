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

// Fields of a service bank, from the bank's start. Each checksummed block ends with its
// checksum byte (see serviceBankBlocks()).
namespace zurval::bankmap {

constexpr std::size_t kCraneNumber = 0x00;    // s16
constexpr std::size_t kCraneYear = 0x02;      // s16
constexpr std::size_t kVersion = 0x04;        // s8, the layout version
constexpr std::size_t kJibKind = 0x05;        // u8, 0 trolley jib
constexpr std::size_t kNormativeGroup = 0x06; // s8, 0 for A1
constexpr std::size_t kCraneModel = 0x07;     // device text
constexpr std::size_t kCraneModelWidth = 13;
constexpr std::size_t kRecorderNumber = 0x14; // code page 1251
constexpr std::size_t kRecorderNumberWidth = 9;
constexpr std::size_t kProgramMajor = 0x1D;
constexpr std::size_t kProgramMinor = 0x1E;
constexpr std::size_t kDateInstalled = 0x1F; // four 3-byte dates follow one another
constexpr std::size_t kDateParamsChanged = 0x22;
constexpr std::size_t kDateSetupLast = 0x25;
constexpr std::size_t kDateSetupBefore = 0x28;
constexpr std::size_t kCharacteristicNumber = 0x2C; // f32
constexpr std::size_t kWorkingCycles = 0x31;        // 14 × u24
constexpr std::size_t kRelativeCycles = 0x5C;       // 14 × u24
constexpr std::size_t kOperatingSeconds = 0x87;     // 5 × s32
constexpr std::size_t kMotorMinutes = 0x9C;         // u24
constexpr std::size_t kLiftedMass = 0xA0;           // s32, hundredths of a tonne

} // namespace zurval::bankmap
