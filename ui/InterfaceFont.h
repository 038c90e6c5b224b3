#pragma once

#include <QFont>

namespace qor {

// The font of QOR's own windows. Their layouts are fixed in twips, so the font is chosen to fit
// them rather than taken from the user's settings: Liberation Sans, whose widths match the sans
// the layouts were drawn for, at 10 pixels (7.5 points at 96 dpi), the size at which every
// caption and label fits its box with the style's margins. Sized in pixels, as the boxes are, so
// that a screen's dots per inch cannot make the text outgrow them. Every attribute is set
// explicitly: a window that carries it keeps it when a platform theme later replaces the
// application font, which message boxes, with no fixed layout, go on using.
QFont interfaceFont();

} // namespace qor
