#pragma once

#include "RecordingBuilder.h"

namespace zurval {

// A complete recorder file of a tower crane after several working days, the same on every
// call: for trying the program out, demonstrations and benchmarks. Every checksum holds but
// that of one frame; the frames show limits switched on and acting, overloads and faults.
[[nodiscard]] RecordingBuilder makeSampleRecording();

} // namespace zurval
