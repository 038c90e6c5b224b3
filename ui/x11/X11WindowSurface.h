#pragma once

#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <optional>

class QImage;
struct xcb_connection_t;

namespace qor {

// Draws straight on a window's native X11 surface, past Qt's backing store, and sends what it
// draws to the X server at once: the cheapest way to put a dot on the screen the moment it is
// drawn. The backing store does not hold what it draws; the window's own paint, which draws the
// drawing layer, puts the same pixels there whenever that part is painted again.
class X11WindowSurface {
public:
    // Nothing when the window is not on an X server or is scaled (its device pixels are not its
    // logical ones).
    static std::unique_ptr<X11WindowSurface> open(QWindow& window);
    ~X11WindowSurface();
    X11WindowSurface(const X11WindowSurface&) = delete;
    X11WindowSurface& operator=(const X11WindowSurface&) = delete;

    // The native window that it fills: a new one needs a new fill.
    std::uint32_t window() const { return target; }
    // Fills the rectangles, in the window's pixels, with an opaque colour and flushes them.
    void fill(QRgb colour, const QRect* rectangles, int count);
    // Puts the parts of an opaque image that lie in the region (in the window's pixels, the
    // image's top left at `origin`) and flushes them; false, putting nothing, where the window's
    // pixels are not laid out as a 32-bit RGB image's.
    bool put(const QImage& image, QPoint origin, const QRegion& region);
    // The colour that the X server paints wherever the window is exposed (a part uncovered, the
    // window enlarged), before any paint of the window's own; none keeps what was on the screen.
    void setBackground(std::optional<QRgb> colour);

private:
    struct Layout {
        std::uint32_t redMask, greenMask, blueMask;
        // A window of depth 32 takes its alpha in the bits no colour channel uses.
        std::uint32_t alphaBits;
        std::uint8_t depth;
        // Pixels of 32 bits, least significant byte first, red, green and blue in the low three
        // bytes: a 32-bit RGB image's scan lines as they are.
        bool takesRgb32;
    };
    X11WindowSurface(xcb_connection_t* connection, std::uint32_t window, std::uint32_t gc,
                     const Layout& layout);
    std::uint32_t pixelOf(QRgb colour) const;

    xcb_connection_t* connection;
    std::uint32_t target;
    std::uint32_t gc;
    Layout layout;
    std::uint32_t foreground = 0;
    bool foregroundSet = false;
};

// The X11 surface of a widget's present native window: opened when first asked for, and again
// once the widget has a new native window. Once open, asking for it again costs a comparison.
class DirectSurface {
public:
    explicit DirectSurface(QWidget& widget) : widget(widget) {}

    // Null off X11, or before the widget has a native window.
    X11WindowSurface* get() {
        QWindow* handle = widget.windowHandle();
        if (!handle)
            return nullptr;
        if (!surface || surface->window() != handle->winId())
            surface = X11WindowSurface::open(*handle);
        return surface.get();
    }

private:
    QWidget& widget;
    std::unique_ptr<X11WindowSurface> surface;
};

} // namespace qor
