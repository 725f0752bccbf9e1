#pragma once

#include <QString>
#include <cstdint>

namespace zurval {

// A 16-bit word as 16 characters "0"/"1", most significant bit first: position p (1..16)
// holds bit 16 - p.
[[nodiscard]] QString bitText(std::uint16_t word);

// Whether bit b (0..15) of a bit text is "1". A text that is not 16 characters long (the
// empty text of a reset entry) has no bit set.
[[nodiscard]] bool bitTextSet(const QString& text, int bit);

// Whether any of the bits first..last is set.
[[nodiscard]] bool anyBitTextSet(const QString& text, int first, int last);

} // namespace zurval
