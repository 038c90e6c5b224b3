#pragma once

#include "ui/WindowDescription.h"

#include <QColor>
#include <QPalette>

namespace qor {

// A colour a control is drawn in, and whether it comes from the colour scheme (a system colour,
// or no colour of the control's own) rather than from a fixed RGB value of its description.
struct DrawnColour {
    QColor colour;
    bool fromScheme = false;
};

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), by their relative
// luminance as accessibility guidelines define it.
double contrastRatio(const QColor& a, const QColor& b);

// The colour a control's text is drawn in. A scheme is free to resolve two system colours to
// nearly the same one (a dark scheme makes the window text near-white, like the highlighted
// text), and text drawn that way vanishes: where both colours come from the scheme and their
// contrast is below 1.5:1, the text takes the scheme's colour that contrasts most with the back.
// A fixed RGB colour is the description's own choice and is kept.
QColor readableTextColour(const DrawnColour& fore, const DrawnColour& back, const QPalette& scheme);

// The text colour of a control as its description gives it, resolved in the scheme and made
// readable as above. A colour the description leaves out is the scheme's for that kind of control.
QColor textColourOf(const ControlDescription& control, const QPalette& scheme);

} // namespace qor
