#pragma once

#include "Palette.h"

#include <QColor>

namespace zurval {

// The pixels of a palette colour the logic names; clBtnFace follows the current style.
[[nodiscard]] QColor toQColor(PaletteColour colour);

} // namespace zurval
