#pragma once

#include "core/common/ByteReader.h"
#include "core/protection/ProtectionSettings.h"
#include "core/recorder/FileMap.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// What the fast fuzz targets share: the areas of a recorder file each one reads, the blank
// file their input is put back into, and the stop for a broken property.
namespace zurval::fuzz {

struct FileArea {
    std::size_t offset;
    std::size_t length;
};
using FileAreas = std::vector<FileArea>;

// The layout version as the open command takes it from a file whose other bank is blank.
inline constexpr FileArea kVersionByte{filemap::kBank0 + bankmap::kVersion, 1};
inline constexpr FileArea kParKranAndProtect{
    filemap::kParKran, protectmap::kStart + protectmap::kLength + 1 - filemap::kParKran};

inline constexpr std::size_t kFrameRingLength = filemap::kFrameCount * filemap::kFrameSize;
inline constexpr std::size_t kOverloadRingLength = filemap::kOverloadCount * filemap::kOverloadSize;
inline constexpr std::size_t kOperatorBlockLength =
    filemap::kOperatorFieldCount * filemap::kOperatorFieldSize;

// The input of an area target is the bytes of its areas one after another, in this order;
// a short input leaves the rest of its areas zero.
inline const FileAreas kFrameRingAreas = {
    kVersionByte,
    {filemap::kFramePointer, 8}, // the pointer and its complemented copy
    {filemap::kFrames, kFrameRingLength}};
inline const FileAreas kOverloadRingAreas = {kVersionByte,
                                             {filemap::kOverloads, kOverloadRingLength}};
// Both banks and the removal dates after them.
inline const FileAreas kServiceBankAreas = {
    {filemap::kBank0, filemap::kRemovalDates + 3 * filemap::kRemovalDateCount}};
inline const FileAreas kParKranAreas = {{filemap::kParKran, filemap::kProtect - filemap::kParKran}};
// The zones and limits, the crane's dimensions in PAR_KRAN before them, and the first frame.
inline const FileAreas kProtectionAreas = {
    kVersionByte, kParKranAndProtect, {filemap::kFrames, filemap::kFrameSize}};
inline const FileAreas kOperatorAreas = {{filemap::kOperatorBlock, kOperatorBlockLength}};

struct AreaTarget {
    const char* name; // zurval-fuzz-NAME
    const FileAreas* areas;
};
inline const AreaTarget kAreaTargets[] = {
    {"frames", &kFrameRingAreas}, {"overloads", &kOverloadRingAreas}, {"banks", &kServiceBankAreas},
    {"parkran", &kParKranAreas},  {"protect", &kProtectionAreas},     {"operator", &kOperatorAreas},
};

// A recorder file of the whole map whose bytes are zero but for a target's areas, which
// hold its input. One per target, overwritten by every input.
class AreaImage {
public:
    explicit AreaImage(const FileAreas& areas) : areas_(areas), bytes_(filemap::kMapEnd, 0) {}

    [[nodiscard]] ByteReader place(const std::uint8_t* data, std::size_t size) {
        for (const FileArea& a : areas_) {
            const std::size_t n = std::min(size, a.length);
            if (n > 0)
                std::memcpy(bytes_.data() + a.offset, data, n);
            std::memset(bytes_.data() + a.offset + n, 0, a.length - n);
            data += n;
            size -= n;
        }
        return ByteReader(bytes_);
    }

private:
    const FileAreas& areas_;
    std::vector<std::uint8_t> bytes_;
};

// The input of an area target that reads these areas of a file.
[[nodiscard]] inline std::vector<std::uint8_t> cutAreas(const FileAreas& areas,
                                                        const std::vector<std::uint8_t>& file) {
    const ByteReader r(file);
    std::vector<std::uint8_t> input;
    for (const FileArea& a : areas) {
        const std::vector<std::uint8_t> bytes = r.bytes(a.offset, a.length);
        input.insert(input.end(), bytes.begin(), bytes.end());
    }
    return input;
}

// zurval-fuzz-device takes its choices from the end of its input, the last byte first: how
// many bytes the device sends (kSendsWholeTransfer: the first 270,336 of the rest), which
// device (an odd byte: ВРЛ-3), then the others, which are zero in an ordinary read and take
// fewer than kDeviceChoiceBytes in all.
inline constexpr std::uint8_t kSendsWholeTransfer = 2;
inline constexpr std::size_t kDeviceChoiceBytes = 40;

// A property that must hold for every input: a broken one stops the fuzzer as a crash does.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace zurval::fuzz
