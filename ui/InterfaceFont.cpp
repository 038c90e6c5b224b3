#include "ui/InterfaceFont.h"

namespace qor {

QFont interfaceFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

} // namespace qor
