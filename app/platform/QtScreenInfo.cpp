#include "app/platform/QtScreenInfo.h"

#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace qor {

namespace {
QScreen& primary() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        throw Failure("There is no screen");
    return *screen;
}
} // namespace

float QtScreenInfo::width() const {
    return pixelsToTwips(primary().geometry().width());
}
float QtScreenInfo::height() const {
    return pixelsToTwips(primary().geometry().height());
}

std::optional<QRect> QtScreenInfo::availableArea() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return screen->availableGeometry();
}

} // namespace qor
