#pragma once

#include "ui/OleColor.h"
#include "windows/main/RandomSource.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qor {

// The platform's 16-colour palette, indexed 0 to 15.
inline constexpr std::array<OleColor, 16> sixteenColourPalette{{
    {0x00000000}, // black
    {0x00800000}, // blue
    {0x00008000}, // green
    {0x00808000}, // cyan
    {0x00000080}, // red
    {0x00800080}, // magenta
    {0x00008080}, // yellow (olive)
    {0x00C0C0C0}, // white (light grey)
    {0x00808080}, // grey
    {0x00FF0000}, // light blue
    {0x0000FF00}, // light green
    {0x00FFFF00}, // light cyan
    {0x000000FF}, // light red
    {0x00FF00FF}, // light magenta
    {0x0000FFFF}, // light yellow
    {0x00FFFFFF}, // bright white
}};

// The palette index that a colour draw picks: the draw times 15.0 in single precision, rounded to
// the nearest integer with a tie going to the even one. Draws in [0, 1) give 0 to 15; any other
// draw, NaN included, would pick no colour and throws Failure instead.
int paletteIndex(float colourDraw);

// One dot of the star field, in twips from the top-left corner of the client area.
struct Dot {
    float x;
    float y;
    int colourIndex;
};

// The dots that fill the main window while it is unloaded, made one at a time so the window can
// draw each the moment it is made:
//     StarField field(source);
//     while (const auto dot = field.next()) ...
// Dot k (from 1) scales one draw by k across and one by 5k down, so the field starts dense at the
// top-left corner and spreads out to the right and downwards.
class StarField {
public:
    static constexpr int dotCount = 16500;
    static constexpr std::int32_t horizontalStep = 1;
    // The vertical scale reaches 5 * 16500, beyond a 16-bit integer: it is held in 32 bits.
    static constexpr std::int32_t verticalStep = 5;
    static constexpr float paletteFactor = 15.0f;

    explicit StarField(RandomSource& source) : source_(source) {}

    // The next dot, taking three draws (across, down, colour, in that order); nothing once all
    // 16500 dots are made, and then no more draws are taken.
    std::optional<Dot> next();

private:
    RandomSource& source_;
    int dotsMade_ = 0;
    std::int32_t horizontalScale_ = 0;
    std::int32_t verticalScale_ = 0;
};

} // namespace qor
