#pragma once

#include "render/colours/StandardColours.h"

#include <QColor>

class QWidget;

namespace zurval {

// The button-face colour of the current style.
[[nodiscard]] QColor buttonFace();
// The pixels of a palette colour the logic names; BtnFace follows the current style.
[[nodiscard]] QColor toQColor(PaletteColour colour);

// Gives a control its own text or fill colour and records it, so the state dump can
// report the colour the program chose rather than whatever the style painted.
// An invalid colour leaves that side alone. For a progress bar the "text" colour is
// the colour of the bar; for an edit, of the text typed in it.
void setControlColour(QWidget* w, const QColor& colour);
void setControlBackground(QWidget* w, const QColor& background);

} // namespace zurval
