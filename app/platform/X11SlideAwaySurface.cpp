#include "app/platform/X11SlideAwaySurface.h"

#include "base/Pause.h"
#include "ui/Twips.h"
#include "ui/x11/DisplayServer.h"
#include "ui/x11/Xcb.h"

#include <QDeadlineTimer>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>

namespace qor {

namespace {

// How long the window manager may take to let go of a withdrawn window. Past it, the exit takes
// the window out of the manager's frame itself.
constexpr int releaseTimeoutMs = 2000;

// A window manager marks every window it manages with WM_STATE, and removes the mark or sets it
// to Withdrawn once it has let the window go.
bool managed(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t wmState) {
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, wmState, XCB_ATOM_ANY, 0, 1), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || xcb_get_property_value_length(reply.get()) < 4)
        return false;
    std::uint32_t state = 0;
    std::memcpy(&state, xcb_get_property_value(reply.get()), sizeof state);
    return state != 0;
}

} // namespace

std::unique_ptr<X11SlideAwaySurface> X11SlideAwaySurface::take(QWidget& window,
                                                               ScreenInfo& screen) {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return nullptr;
    std::unique_ptr<X11SlideAwaySurface> surface(new X11SlideAwaySurface(
        connection, std::uint32_t(window.winId()), window.devicePixelRatioF(), screen));
    surface->takeFromWindowManager(window);
    return surface;
}

X11SlideAwaySurface::X11SlideAwaySurface(xcb_connection_t* connection, std::uint32_t window,
                                         double pixelRatio, ScreenInfo& screen)
    : connection(connection), window(window), pixelRatio(pixelRatio), screen(screen) {}

// Withdrawing is the one way ICCCM gives a client to take a window back from its manager; with
// override-redirect set, no later change of the window goes through the manager again.
void X11SlideAwaySurface::takeFromWindowManager(QWidget& widget) {
    const xcb::Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    const xcb::Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!attributes || !tree)
        throw Failure("The window is gone from the X server");
    const bool mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    const xcb_window_t root = tree->root;

    const xcb_atom_t wmState = xcb::internAtom(connection, "WM_STATE");
    if (managed(connection, window, wmState)) {
        if (mapped) {
            xcb_unmap_window(connection, window);
            std::array<char, 32> withdrawn{};
            xcb_unmap_notify_event_t event{};
            event.response_type = XCB_UNMAP_NOTIFY;
            event.event = root;
            event.window = window;
            std::memcpy(withdrawn.data(), &event, sizeof event);
            xcb_send_event(connection, 0, root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                               XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           withdrawn.data());
        }
        const QDeadlineTimer deadline(releaseTimeoutMs);
        while (managed(connection, window, wmState) && !deadline.hasExpired())
            pauseFor(std::chrono::microseconds(200));
    }

    const std::uint32_t overrideRedirect = 1;
    xcb_change_window_attributes(connection, window, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
    const xcb::Reply<xcb_query_tree_reply_t> now(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (now && now->parent != root) {
        const xcb::Reply<xcb_translate_coordinates_reply_t> place(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, window, root, 0, 0), nullptr));
        if (place)
            xcb_reparent_window(connection, window, root, place->dst_x, place->dst_y);
    }
    if (mapped) {
        xcb_map_window(connection, window);
        // An unmapped window loses its contents on the server.
        widget.repaint();
    }
    reported = askServer();
}

X11SlideAwaySurface::Geometry X11SlideAwaySurface::askServer() const {
    const xcb::Reply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!reply)
        throw Failure("The window's size and place cannot be read from the X server");
    return {reply->x, reply->y, reply->height};
}

float X11SlideAwaySurface::toTwips(int pixels) const {
    return float(pixels / pixelRatio) * twipsPerPixel;
}

void X11SlideAwaySurface::configure(std::uint16_t field, float twips, const char* what) {
    // The X protocol carries positions as 16-bit values and heights from 1 pixel up.
    const double pixels = std::round(double(twips) / twipsPerPixel * pixelRatio);
    const double lowest = field == XCB_CONFIG_WINDOW_HEIGHT ? 1 : -32768;
    if (!(pixels >= lowest && pixels <= 32767))
        throw Failure(QStringLiteral("The window cannot take the %1 %2")
                          .arg(QString::fromLatin1(what))
                          .arg(double(twips))
                          .toStdString());
    const auto value = std::uint32_t(std::int32_t(pixels));
    xcb_configure_window(connection, window, field, &value);
    // The server answers in order: once its answer is here, the change is on the screen.
    reported = askServer();
}

float X11SlideAwaySurface::Height() const {
    return toTwips(reported.height);
}

void X11SlideAwaySurface::setHeight(float height) {
    configure(XCB_CONFIG_WINDOW_HEIGHT, height, "height");
}

float X11SlideAwaySurface::Top() const {
    return toTwips(reported.top);
}

void X11SlideAwaySurface::setTop(float top) {
    configure(XCB_CONFIG_WINDOW_Y, top, "top");
}

float X11SlideAwaySurface::Left() const {
    return toTwips(reported.left);
}

void X11SlideAwaySurface::setLeft(float left) {
    configure(XCB_CONFIG_WINDOW_X, left, "left");
}

} // namespace qor
