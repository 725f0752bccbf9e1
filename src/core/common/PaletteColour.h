#pragma once

namespace zurval {

// The standard 16-colour palette and the button-face system colour. Logic names a colour;
// the widgets turn it into pixels (toQColor), the painting code uses their RGB values
// (StandardColours.h).
enum class PaletteColour {
    BtnFace,
    Black,
    White,
    Red,
    Lime,
    Green,
    Blue,
    Maroon,
    Purple,
    Navy,
    Teal,
    Olive,
    Gray,
    Silver,
    Yellow,
};

} // namespace zurval
