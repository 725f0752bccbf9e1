#include "PaletteColour.h"

#include "ControlColours.h"

namespace zurval {

QColor toQColor(PaletteColour colour) {
    switch (colour) {
    case PaletteColour::BtnFace:
        return buttonFace();
    case PaletteColour::Black:
        return QColor(0, 0, 0);
    case PaletteColour::White:
        return QColor(255, 255, 255);
    case PaletteColour::Red:
        return QColor(255, 0, 0);
    case PaletteColour::Lime:
        return QColor(0, 255, 0);
    case PaletteColour::Green:
        return QColor(0, 128, 0);
    case PaletteColour::Blue:
        return QColor(0, 0, 255);
    case PaletteColour::Maroon:
        return QColor(128, 0, 0);
    case PaletteColour::Purple:
        return QColor(128, 0, 128);
    case PaletteColour::Navy:
        return QColor(0, 0, 128);
    case PaletteColour::Teal:
        return QColor(0, 128, 128);
    case PaletteColour::Olive:
        return QColor(128, 128, 0);
    case PaletteColour::Gray:
        return QColor(128, 128, 128);
    case PaletteColour::Silver:
        return QColor(192, 192, 192);
    case PaletteColour::Yellow:
        return QColor(255, 255, 0);
    }
    return buttonFace();
}

} // namespace zurval
