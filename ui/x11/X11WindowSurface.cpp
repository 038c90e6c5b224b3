#include "ui/x11/X11WindowSurface.h"

#include "ui/x11/DisplayServer.h"
#include "ui/x11/Xcb.h"

#include <QImage>
#include <QVarLengthArray>
#include <QWindow>
#include <algorithm>
#include <cstring>

namespace qor {

namespace {

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
    xcb_connection_t* connection = x11Connection();
    if (!connection || window.devicePixelRatio() != 1.0)
        return nullptr;
    const auto id = xcb_window_t(window.winId());
    const xcb::Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), nullptr));
    if (!attributes)
        return nullptr;
    std::uint8_t depth = 0;
    const xcb_visualtype_t* visual = findVisual(connection, attributes->visual, &depth);
    if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR)
        return nullptr;
    const std::uint32_t colourBits = visual->red_mask | visual->green_mask | visual->blue_mask;
    const std::uint32_t depthBits = depth >= 32 ? 0xFFFFFFFFu : (1u << depth) - 1;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    bool rgb32Pixels = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
         xcb_format_next(&formats))
        if (formats.data->depth == depth)
            rgb32Pixels = formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
    const Layout layout{visual->red_mask,
                        visual->green_mask,
                        visual->blue_mask,
                        depth == 32 ? depthBits & ~colourBits : 0,
                        depth,
                        rgb32Pixels && setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST &&
                            visual->red_mask == 0xFF0000u && visual->green_mask == 0xFF00u &&
                            visual->blue_mask == 0xFFu};
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    // Exposures of a fill are not wanted: a fill never copies an area.
    const std::uint32_t noExposures = 0;
    xcb_create_gc(connection, gc, id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return std::unique_ptr<X11WindowSurface>(new X11WindowSurface(connection, id, gc, layout));
}

X11WindowSurface::X11WindowSurface(xcb_connection_t* connection, std::uint32_t window,
                                   std::uint32_t gc, const Layout& layout)
    : connection(connection), target(window), gc(gc), layout(layout) {}

X11WindowSurface::~X11WindowSurface() {
    xcb_free_gc(connection, gc);
}

std::uint32_t X11WindowSurface::pixelOf(QRgb colour) const {
    return scaled(qRed(colour), layout.redMask) | scaled(qGreen(colour), layout.greenMask) |
           scaled(qBlue(colour), layout.blueMask) | layout.alphaBits;
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

bool X11WindowSurface::put(const QImage& image, QPoint origin, const QRegion& region) {
    if (!layout.takesRgb32)
        return false;
    // Opaque pixels with the alpha byte set, which a window of depth 32 reads as its alpha.
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    const QRegion inside = region & QRect(origin, pixels.size());
    // A request may carry only so many bytes; a tall part goes in bands of whole scan lines, and
    // a scan line too long for one request is not sent at all (the X server would drop the
    // connection).
    const std::size_t requestBytes = std::size_t(xcb_get_maximum_request_length(connection)) * 4;
    constexpr std::size_t headerBytes = 24;
    if (inside.boundingRect().width() > 0 &&
        std::size_t(inside.boundingRect().width()) * 4 + headerBytes > requestBytes)
        return false;
    for (const QRect& part : inside) {
        const std::size_t lineBytes = std::size_t(part.width()) * 4;
        const int bandLines = int((requestBytes - headerBytes) / lineBytes);
        QVarLengthArray<std::uint8_t, 256> band;
        for (int top = part.top(); top <= part.bottom(); top += bandLines) {
            const int lines = std::min(bandLines, part.bottom() + 1 - top);
            band.resize(qsizetype(lineBytes) * lines);
            for (int line = 0; line < lines; ++line)
                std::memcpy(band.data() + qsizetype(lineBytes) * line,
                            pixels.constScanLine(top + line - origin.y()) +
                                std::size_t(part.left() - origin.x()) * 4,
                            lineBytes);
            xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, target, gc,
                          std::uint16_t(part.width()), std::uint16_t(lines),
                          std::int16_t(part.left()), std::int16_t(top), 0, layout.depth,
                          std::uint32_t(band.size()), band.data());
        }
    }
    xcb_flush(connection);
    return true;
}

void X11WindowSurface::setBackground(std::optional<QRgb> colour) {
    if (colour) {
        const std::uint32_t pixel = pixelOf(*colour);
        xcb_change_window_attributes(connection, target, XCB_CW_BACK_PIXEL, &pixel);
    } else {
        const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
        xcb_change_window_attributes(connection, target, XCB_CW_BACK_PIXMAP, &none);
    }
    xcb_flush(connection);
}

} // namespace qor
