#pragma once

#include "core/document/OpenRecording.h"

#include <QImage>
#include <QSize>
#include <cstddef>
#include <cstdint>

namespace zurval {

// PaintBox_KZ at the window's design size.
constexpr QSize kProtectionPictureArea(754, 366);

// Everything the open command computes from one recording, without a window.
struct OpenPathRun {
    OpenOutcome outcome;
    int chosenFrame = 0; // the second frame drawn, taken from the last two bytes
    QImage oldestPicture;
    QImage chosenPicture;
    int reportPages = 0; // of the four reports
};

// How far a run goes: every step, or only the steps that read the bytes (everything up to
// the two pictures and the reports), about a third of the time of all.
enum class OpenPathSteps { All, Decoding };

// Takes the bytes as the contents of a recorder file (read no further than the map, as a
// file is) and runs every logic step of the open command: checks, version scan, banks,
// classification, both rings decoded and ordered, PAR_KRAN, PROTECT, the overload summary,
// what the pages fill in from them, the texts of the two bank commands, the protection
// picture of frame 0 and of one more frame, and the four reports built and painted
// (the last two only for OpenPathSteps::All). The document is cleared first, as the window
// clears its own, and its crane dimensions are forgotten too, so that what a run does
// depends on its bytes alone.
[[nodiscard]] OpenPathRun runOpenPath(const std::uint8_t* data, std::size_t size,
                                      RecorderDocument& document,
                                      OpenPathSteps steps = OpenPathSteps::All);

} // namespace zurval
