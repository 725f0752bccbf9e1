#pragma once

#include <cstdint>
#include <optional>

namespace zurval {

// The dates and times the recorder stores (the rings, the banks, the removal dates), one byte a
// field, BCD in a sound recording. The bytes are kept as read: an erased byte (0xFF) is shown as
// its hexadecimal digits.
struct RecorderDate {
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint8_t year = 0; // of the century
    bool operator==(const RecorderDate& o) const {
        return day == o.day && month == o.month && year == o.year;
    }
};
struct RecorderTime {
    std::uint8_t hours = 0;
    std::uint8_t minutes = 0;
    std::uint8_t seconds = 0;
    bool operator==(const RecorderTime& o) const {
        return hours == o.hours && minutes == o.minutes && seconds == o.seconds;
    }
};

// The number a BCD byte holds; none when a digit is above 9.
[[nodiscard]] constexpr std::optional<int> bcdValue(std::uint8_t byte) {
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9 || low > 9)
        return std::nullopt;
    return high * 10 + low;
}

} // namespace zurval
