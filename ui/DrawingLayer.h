#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <vector>

class QPainter;
class QWidget;

namespace qor {

// What a window's handlers draw with Circle and PSet: a layer of client pixels over the window's
// own painting, wiped by every resize as a platform repaint would wipe it. Positions come in
// twips; the pen width is in pixels. Each drawing shows at once: a dot that only the window's
// surface lies under is written into the backing store and flushed by itself, anything else
// repaints the part of the window it touched.
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

private:
    QImage& pixels() const;
    // Puts a dot of the layer on the screen without painting the window; false when the window
    // must be painted instead.
    bool showDirectly(const QRect& dot, QRgb rgb);
    void repaintClipped(const QRectF& area);

    QWidget& surface;
    mutable QImage layer;
    std::vector<QWidget*> covering;
    bool stale = true;
    int pen = 1;
};

} // namespace qor
