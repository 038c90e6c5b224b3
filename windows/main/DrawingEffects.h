#pragma once

#include "ui/LiveWindow.h"
#include "ui/OleColor.h"
#include "windows/main/RandomSource.h"

namespace qor {

// The main window's drawing effects: a small circle at the pointer, a ripple around a press, and
// the star field that fills the maximized window while it is unloaded.

// Drawn in the window's fore colour, 68 twips across: about 5 pixels.
inline constexpr float pointerCircleRadius = 34.0f;

// The ripple's circles grow from dark grey to white, one twip at a time; the grey of a circle is
// its radius in twips.
inline constexpr int firstRippleRadius = 50;
inline constexpr int lastRippleRadius = 255;
inline constexpr int rippleRadiusStep = 1;

inline constexpr int starFieldWindowState = 2; // maximized
inline constexpr int starFieldPenWidth = 4;    // pixels across each dot

// The grey whose red, green and blue are all `level` (0 to 255).
constexpr OleColor grey(int level) {
    return OleColor::rgb(level, level, level);
}

// Draws the star field's 16500 dots on the window with its current pen, taking the draws from
// `source`; each dot is on the screen before the next is made.
void drawStarField(LiveWindow& window, RandomSource& source);

} // namespace qor
