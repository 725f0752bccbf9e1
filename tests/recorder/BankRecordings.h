#pragma once

#include "RecordingBuilder.h"
#include "core/recorder/FileMap.h"

namespace zurval::testing {

inline std::size_t at(int bank, std::size_t offset) {
    return (bank == 1 ? filemap::kBank1 : filemap::kBank0) + offset;
}

// Distinct identification and times per bank, so a test can tell which bank it sees.
inline RecordingBuilder twoBanks(std::uint32_t motor0, std::uint32_t motor1) {
    RecordingBuilder b;
    for (int bank = 0; bank < 2; ++bank) {
        b.u16le(at(bank, 0x00), static_cast<std::uint16_t>(100 + bank))
            .u8(at(bank, 0x04), static_cast<std::uint8_t>(bank + 1))
            .raw(at(bank, 0x07), {static_cast<std::uint8_t>('K' + bank)})
            .u32le(at(bank, 0x87), static_cast<std::uint32_t>(3600 * (bank + 1)))
            .u32le(at(bank, 0xA0), static_cast<std::uint32_t>(100 * (bank + 1)));
    }
    b.u24le(at(0, 0x9C), motor0).u24le(at(1, 0x9C), motor1);
    return b;
}

} // namespace zurval::testing
