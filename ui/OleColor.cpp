#include "ui/OleColor.h"

namespace qor {

// The scheme's colour for the index, the same whether the window is active or not: a window's
// back colour does not fade when another window takes the focus.
QColor OleColor::resolve(const QPalette& palette) const {
    if (!isSystem())
        return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
    switch (systemIndex()) {
    case 13:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 14:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 18:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 8:
    case 9:
    default:
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
}

} // namespace qor
