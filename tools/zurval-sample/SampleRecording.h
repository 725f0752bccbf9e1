#pragma once

#include "RecordingBuilder.h"

namespace zurval {

// A complete, intact recorder file of a tower crane after several working days, the same
// on every call: for trying the program out, demonstrations and benchmarks.
[[nodiscard]] RecordingBuilder makeSampleRecording();

} // namespace zurval
