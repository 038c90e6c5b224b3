#pragma once

#include <QRect>
#include <QRgb>
#include <cstdint>
#include <memory>

class QWindow;
struct xcb_connection_t;

namespace qor {

// Fills rectangles straight on a window's native X11 surface, past Qt's backing store, and sends
// them to the X server at once: the cheapest way to put a dot on the screen the moment it is
// drawn. The backing store does not hold what it fills; the window's own paint, which draws the
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

private:
    X11WindowSurface(xcb_connection_t* connection, std::uint32_t window, std::uint32_t gc,
                     std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask,
                     std::uint32_t alphaBits);
    std::uint32_t pixelOf(QRgb colour) const;

    xcb_connection_t* connection;
    std::uint32_t target;
    std::uint32_t gc;
    std::uint32_t redMask, greenMask, blueMask;
    // A window of depth 32 takes its alpha in the bits no colour channel uses.
    std::uint32_t alphaBits;
    std::uint32_t foreground = 0;
    bool foregroundSet = false;
};

} // namespace qor
