#include "ui/x11/X11EmptyTitle.h"

#include "ui/x11/DisplayServer.h"
#include "ui/x11/Xcb.h"

namespace qor {

void clearX11Title(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window.internalWinId())
        return;
    const auto id = xcb_window_t(window.internalWinId());
    const xcb_atom_t netWmName = xcb::internAtom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = xcb::internAtom(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmName, utf8, 8, 0, "");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, "");
    xcb_flush(connection);
}

} // namespace qor
