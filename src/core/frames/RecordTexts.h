#pragma once

#include "CycleFrame.h"
#include "Overloads.h"

#include <QString>

namespace zurval {

// Every text of a frame or an overload record, made where it is shown. A reset entry shows
// empty texts for its words, its time and its checksum state (and zeros elsewhere).

// A word as 16 characters "0"/"1", most significant bit first.
[[nodiscard]] QString bitText(std::uint16_t word);
// One of the four words of a frame, named by its member (&CycleFrame::inputs).
[[nodiscard]] QString wordText(const CycleFrame& f, std::uint16_t CycleFrame::*word);

// "DD.MM.YY" and "HH:MM:SS", each stored byte as two hexadecimal digits.
[[nodiscard]] QString dateText(const RecorderDate& d);
[[nodiscard]] QString timeText(const RecorderTime& t);

// "Время/Дата": a date frame's date, a time frame's time, a space and its date (nothing
// after the space when the ring has no date frame).
[[nodiscard]] QString frameTimeText(const CycleFrame& f);
// An overload record's date; empty in an empty record (load percentage 0).
[[nodiscard]] QString overloadDateText(const OverloadRecord& o);

// "Норма" or "Брак".
[[nodiscard]] QString checksumText(const CycleFrame& f);
[[nodiscard]] QString checksumText(const OverloadRecord& o);

} // namespace zurval
