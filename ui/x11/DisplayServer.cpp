#include "ui/x11/DisplayServer.h"

#include <QGuiApplication>

namespace qor {

xcb_connection_t* x11Connection() {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

bool flushShowsAtOnce() {
    static const bool atOnce = !QGuiApplication::platformName().startsWith(u"wayland");
    return atOnce;
}

} // namespace qor
