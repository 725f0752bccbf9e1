#pragma once

#include <QColor>

class QWidget;

namespace zurval {

// The 16-colour palette the pages use.
namespace colours {
inline const QColor Red(255, 0, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Green(0, 128, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Gray(128, 128, 128);
inline const QColor Navy(0, 0, 128);
inline const QColor Black(0, 0, 0);
inline const QColor White(255, 255, 255);
} // namespace colours

// The button-face colour of the current style.
[[nodiscard]] QColor buttonFace();

// Gives a control its own text or fill colour and records it, so the state dump can
// report the colour the program chose rather than whatever the style painted.
// An invalid colour leaves that side alone. For a progress bar the "text" colour is
// the colour of the bar; for an edit, of the text typed in it.
void setControlColour(QWidget* w, const QColor& colour);
void setControlBackground(QWidget* w, const QColor& background);

} // namespace zurval
