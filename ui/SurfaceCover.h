#pragma once

#include <QRect>
#include <QVarLengthArray>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace qor {

// What the controls placed on a window's surface paint over it, pixel by pixel. The drawing
// layer lies below every control, so a dot drawn where the controls are opaque changes nothing
// on the screen, and where they paint nothing it shows as it is; only where a control blends its
// pixels with what lies beneath (a rounded corner's smoothing) must the window be painted to
// show it.
class SurfaceCover {
public:
    enum class Pixel : std::uint8_t { Open, Blended, Opaque };

    struct Exposure {
        enum Kind { Hidden, Open, Blended } kind = Hidden;
        // For Open, the parts of the rectangle that show (no control paints there).
        QVarLengthArray<QRect, 4> open;
    };

    // Renders each visible control once and keeps which pixels it paints and how.
    void measure(const std::vector<QWidget*>& controls);
    // The controls' look may have changed; the next use measures them again.
    void invalidate() { measured = false; }
    bool isMeasured() const { return measured; }
    // True while `measure` renders the controls: the paints it causes change nothing.
    bool isMeasuring() const { return measuring; }

    // How a rectangle of the client area shows what is drawn below the controls.
    Exposure exposureOf(const QRect& rectangle) const;

private:
    Pixel at(int x, int y) const;

    QRect bounds;
    std::vector<Pixel> pixels; // bounds.width() x bounds.height(), row by row
    bool measured = false;
    bool measuring = false;
};

} // namespace qor
