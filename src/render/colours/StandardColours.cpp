#include "render/colours/StandardColours.h"

namespace zurval {

QColor standardColour(PaletteColour colour) {
    switch (colour) {
    case PaletteColour::BtnFace:
        return QColor(240, 240, 240);
    case PaletteColour::Black:
        return colours::Black;
    case PaletteColour::White:
        return colours::White;
    case PaletteColour::Red:
        return colours::Red;
    case PaletteColour::Lime:
        return colours::Lime;
    case PaletteColour::Green:
        return colours::Green;
    case PaletteColour::Blue:
        return colours::Blue;
    case PaletteColour::Maroon:
        return colours::Maroon;
    case PaletteColour::Purple:
        return colours::Purple;
    case PaletteColour::Navy:
        return colours::Navy;
    case PaletteColour::Teal:
        return colours::Teal;
    case PaletteColour::Olive:
        return colours::Olive;
    case PaletteColour::Gray:
        return colours::Gray;
    case PaletteColour::Silver:
        return colours::Silver;
    case PaletteColour::Yellow:
        return colours::Yellow;
    }
    return colours::Black;
}

} // namespace zurval
