#pragma once

#include "core/common/PaletteColour.h"

#include <QColor>

namespace zurval {

// The RGB values of the standard palette.
namespace colours {
inline const QColor Black(0, 0, 0);
inline const QColor White(255, 255, 255);
inline const QColor Red(255, 0, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Green(0, 128, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Maroon(128, 0, 0);
inline const QColor Purple(128, 0, 128);
inline const QColor Navy(0, 0, 128);
inline const QColor Teal(0, 128, 128);
inline const QColor Olive(128, 128, 0);
inline const QColor Gray(128, 128, 128);
inline const QColor Silver(192, 192, 192);
inline const QColor Yellow(255, 255, 0);
} // namespace colours

// The RGB of a palette colour; BtnFace, which belongs to the style, gives the button face
// of a plain light style so that printouts and pictures need no widgets.
[[nodiscard]] QColor standardColour(PaletteColour colour);

} // namespace zurval
