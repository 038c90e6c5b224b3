#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "ui/SurfaceCover.h"
#include "ui/X11WindowSurface.h"

class QPainter;
class QWidget;

namespace qor {

// What a window's handlers draw with Circle and PSet: a layer of client pixels over the window's
// own painting and below its controls, wiped where the platform repaints the window (an exposure
// wipes its part, a resize all of it). Positions come in twips; the pen width is in pixels. Each
// drawing shows at once: a dot goes straight onto the window's X11 surface where no control
// stands over it, is skipped where controls hide it, and where a control blends with it that
// part of the window is rendered and put there; a circle repaints the part of the window it
// touched.
class DrawingLayer {
public:
    explicit DrawingLayer(QWidget& surface);

    int penWidth() const { return pen; }
    void setPenWidth(int pixels) { pen = pixels; }

    // The outline of a circle, centre and radius in twips.
    void circle(float x, float y, float radius, const QColor& colour);
    // A dot penWidth pixels across, centred on the point.
    void dot(float x, float y, const QColor& colour);

    // The layer in client pixels: what has been drawn since the last resize.
    const QImage& image() const { return pixels(); }
    // Draws the layer over what the window has painted beneath it.
    void paintOver(QPainter& painter) const;

    // Controls placed right on the client area, which cover the layer where they stand.
    void addCoveringControl(QWidget* control) { covering.push_back(control); }
    // Part of the client area awaits painting, so the screen is not what the window would paint.
    void markStale() { stale = true; }
    // The window is painting this region of its client area.
    void painting(const QRegion& region);
    // The client area has a new size, which wipes every drawing.
    void wipe();
    // The platform repaints this region: the drawings there are wiped and it is painted afresh.
    void wipe(const QRegion& exposed);
    // An event of a control: one that paints, appears, goes or moves may cover the layer anew.
    void controlChanged(const QEvent& event);

    // The window is about to wait for a new size. Where it can, the X server paints what the
    // change exposes in the back colour, and the window's own paint is held back until
    // resumePaint: a paint of the whole enlarged window would stand between the change and the
    // next drawing. False when it cannot be so.
    bool holdPaint(const QColor& back);
    // The wait is over. What differs on the screen from the window's paint is put there: what the
    // window paints over its back colour (`content`) where the X server painted, and the former
    // client area (`before`) where drawings or unpainted parts stood. The whole window is painted
    // again at the next turn of the event loop.
    void resumePaint(QSize before, const QRegion& content);

private:
    QImage& pixels() const;
    // Puts a dot of the layer on the screen, painting no more of the window than the controls
    // over it need.
    void show(const QRect& dot, QRgb rgb);
    // Writes the parts of a dot into the backing store and flushes them; false when it cannot.
    bool showThroughBackingStore(const QVarLengthArray<QRect, 4>& parts, QRgb rgb);
    // Paints the window where a dot is, for a dot that the controls over it blend with.
    void paintDot(const QRect& dot);
    // The window's X11 surface, opened for its present native window; null off X11 or before
    // the window has one.
    X11WindowSurface* directSurface();
    // Renders the window in the region and puts it on its X11 surface; false when it cannot.
    bool putPainted(const QRegion& region);
    void repaintClipped(const QRectF& area);

    QWidget& surface;
    mutable QImage layer;
    std::vector<QWidget*> covering;
    SurfaceCover cover;
    std::unique_ptr<X11WindowSurface> direct;
    // A paint that leaves every control looking as it did.
    bool quietPaint = false;
    bool stale = true;
    // While the paint is held: how the screen stood, and what the X server has painted since.
    struct Held {
        bool stale;
        bool drawings;
        QRegion exposed;
    };
    std::optional<Held> held;
    int pen = 1;
};

} // namespace qor
