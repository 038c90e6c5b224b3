#include "ui/X11WindowSurface.h"

#include <QGuiApplication>
#include <QVarLengthArray>
#include <QWindow>
#include <cstdlib>
#include <xcb/xcb.h>

namespace qor {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

const xcb_visualtype_t* findVisual(xcb_connection_t* connection, xcb_visualid_t id,
                                   std::uint8_t* depth) {
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
             xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
                 xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == id) {
                    *depth = depths.data->depth;
                    return visuals.data;
                }
    return nullptr;
}

std::uint32_t scaled(int channel, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u))
        ++shift;
    const std::uint32_t top = mask >> shift;
    return ((std::uint32_t(channel) * top + 127) / 255) << shift;
}

} // namespace

std::unique_ptr<X11WindowSurface> X11WindowSurface::open(QWindow& window) {
    // Other platforms (offscreen among them) may offer an X11 interface without a connection
    // that their windows live on.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb") || !x11->connection() ||
        window.devicePixelRatio() != 1.0)
        return nullptr;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window.winId());
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id),
                                        nullptr),
        &std::free);
    if (!attributes)
        return nullptr;
    std::uint8_t depth = 0;
    const xcb_visualtype_t* visual = findVisual(connection, attributes->visual, &depth);
    if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR)
        return nullptr;
    const std::uint32_t colourBits = visual->red_mask | visual->green_mask | visual->blue_mask;
    const std::uint32_t depthBits = depth >= 32 ? 0xFFFFFFFFu : (1u << depth) - 1;
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    // Exposures of a fill are not wanted: a fill never copies an area.
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection, gc, id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return std::unique_ptr<X11WindowSurface>(
        new X11WindowSurface(connection, id, gc, visual->red_mask, visual->green_mask,
                             visual->blue_mask, depth == 32 ? depthBits & ~colourBits : 0));
}

X11WindowSurface::X11WindowSurface(xcb_connection_t* connection, std::uint32_t window,
                                   std::uint32_t gc, std::uint32_t redMask, std::uint32_t greenMask,
                                   std::uint32_t blueMask, std::uint32_t alphaBits)
    : connection(connection), target(window), gc(gc), redMask(redMask), greenMask(greenMask),
      blueMask(blueMask), alphaBits(alphaBits) {}

X11WindowSurface::~X11WindowSurface() {
    xcb_free_gc(connection, gc);
}

std::uint32_t X11WindowSurface::pixelOf(QRgb colour) const {
    return scaled(qRed(colour), redMask) | scaled(qGreen(colour), greenMask) |
           scaled(qBlue(colour), blueMask) | alphaBits;
}

void X11WindowSurface::fill(QRgb colour, const QRect* rectangles, int count) {
    const std::uint32_t pixel = pixelOf(colour);
    if (!foregroundSet || pixel != foreground) {
        xcb_change_gc(connection, gc, XCB_GC_FOREGROUND, &pixel);
        foreground = pixel;
        foregroundSet = true;
    }
    QVarLengthArray<xcb_rectangle_t, 4> native;
    for (int i = 0; i < count; ++i) {
        const QRect& r = rectangles[i];
        native.append({std::int16_t(r.x()), std::int16_t(r.y()), std::uint16_t(r.width()),
                       std::uint16_t(r.height())});
    }
    xcb_poly_fill_rectangle(connection, target, gc, std::uint32_t(native.size()), native.data());
    xcb_flush(connection);
}

} // namespace qor
