#pragma once

#include <QColor>
#include <QRegion>
#include <QSize>
#include <optional>

class QWidget;

namespace qor {

class DirectSurface;
class DrawingLayer;

// Holds a window's paint back while it waits for the platform to give it a new size (a maximize).
// A paint of the whole enlarged window would stand between the change and the next drawing, so
// the X server paints what the change exposes in the back colour instead; once the new size is
// there, only what differs on the screen from the window's paint needs putting there.
class PaintHold {
public:
    PaintHold(QWidget& window, DirectSurface& direct) : window(window), direct(direct) {}

    bool isHolding() const { return held.has_value(); }
    // Holds the paint where it can be so: an opaque back colour, and the window on its own X11
    // surface, on the screen, on a display that shows each flush at once. False otherwise. What the
    // window has yet to paint at its present size goes on the screen first.
    bool begin(const QColor& back, const DrawingLayer& layer);
    // The X server has painted this part of the client area in the back colour.
    void exposed(const QRegion& region);
    // Lets a held window paint again, and answers where the screen differs from its paint: what the
    // window paints over its back colour (`content`) where the X server painted, and the former
    // client area (`before`) where drawings or unpainted parts stood before a resize.
    QRegion end(QSize before, const QRegion& content);

private:
    QWidget& window;
    DirectSurface& direct;
    // How the screen stood when the paint was held, and what the X server has painted since.
    struct Held {
        bool stale;
        bool drawings;
        QRegion exposed;
    };
    std::optional<Held> held;
};

} // namespace qor
