#include "ui/X11EmptyTitle.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace qor {

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

void clearX11Title(QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !window.internalWinId())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window.internalWinId());
    const xcb_atom_t netWmName = internAtom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = internAtom(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmName, utf8, 8, 0, "");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, "");
    xcb_flush(connection);
}

} // namespace qor
