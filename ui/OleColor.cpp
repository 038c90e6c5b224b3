#include "ui/OleColor.h"

namespace qor {

QColor OleColor::resolve(const QPalette& palette) const {
    if (!isSystem())
        return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
    switch (systemIndex()) {
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 8:
    case 9:
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace qor
