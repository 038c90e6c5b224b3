#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QVarLengthArray>
#include <vector>

#include "ui/PaintHold.h"
#include "ui/SurfaceCover.h"
#include "ui/x11/X11WindowSurface.h"

class QPainter;
class QWidget;

namespace qor {

// What a window's handlers draw with Circle and PSet: a layer of client pixels over the window's
// own painting and below its controls, wiped where the platform repaints the window (an exposure
// wipes its part, a resize all of it). Positions come in twips; the pen width is in pixels. Each
// drawing shows at once: a circle repaints the part of the window it touched, and a dot takes the
// cheapest of the ways listed in DotPath (DrawingLayerPaths.cpp).
class DrawingLayer {
public:
    explicit DrawingLayer(QWidget& surface);

    void setPenWidth(int pixels) { pen = pixels; }

    // The outline of a circle, centre and radius in twips.
    void circle(float x, float y, float radius, const QColor& colour);
    // A dot as many pixels across as the pen is wide, centred on the point.
    void dot(float x, float y, const QColor& colour);

    // The layer in client pixels: what has been drawn since the last resize. Null until the first
    // drawing after it.
    const QImage& image() const { return layer; }
    bool hasDrawings() const { return !layer.isNull(); }
    // Draws the layer over what the window has painted beneath it.
    void paintOver(QPainter& painter) const;

    // Controls placed right on the client area, which cover the layer where they stand.
    void addCoveringControl(QWidget* control) { covering.push_back(control); }
    // Part of the client area awaits painting, so the screen is not what the window would paint.
    void markStale() { stale = true; }
    bool screenStale() const { return stale; }
    // The window is painting this region of its client area.
    void painting(const QRegion& region);
    // The client area has a new size, which wipes every drawing.
    void wipe();
    // The platform repaints this region: the drawings there are wiped and it is painted afresh.
    void wipe(const QRegion& exposed);
    // An event of a control: one that paints, appears, goes or moves may cover the layer anew.
    void controlChanged(const QEvent& event);

    // The window is about to wait for a new size: its paint is held where it can be
    // (PaintHold.h). False when it cannot be so.
    bool holdPaint(const QColor& back);
    // The wait is over. What differs on the screen from the window's paint is put there; the whole
    // window is painted again at the next turn of the event loop.
    void resumePaint(QSize before, const QRegion& content);

private:
    // The ways a dot reaches the screen. routeFor chooses one from the window's state, the
    // dot's colour and the controls over it; each has one method in DrawingLayerPaths.cpp. A path
    // that finds it cannot serve after all paints the window where the dot is instead.
    enum class DotPath {
        // Not now: the window is not on the screen, or controls hide the dot. The window's paint
        // shows it when that part is painted.
        None,
        // Gathered and shown with the next frame, where the display takes at most one frame per
        // refresh.
        NextFrame,
        // Once after a resize: the whole window, whose layer holds the dot, is painted.
        WholeWindow,
        // The window is painted where the dot is: its colour blends with what lies beneath.
        PaintedDot,
        // The window is rendered where the dot is and put on its X11 surface: a control blends
        // with the dot.
        RenderedOnX11,
        // The dot's pixels are filled straight on the window's X11 surface: no control paints
        // over them, and what lies beneath is on the screen as painted. The star field's path.
        FilledOnX11,
        // The same pixels are written into the backing store and flushed, where there is no X11
        // surface.
        ThroughBackingStore,
    };
    struct DotRoute {
        DotPath path = DotPath::None;
        // For FilledOnX11 and ThroughBackingStore, the parts of the dot that show.
        QVarLengthArray<QRect, 4> open;
        // For FilledOnX11.
        X11WindowSurface* x11 = nullptr;
    };

    // The layer, made on the first drawing.
    QImage& pixels();
    // Puts a dot of the layer on the screen by the path that routeFor chooses.
    void show(const QRect& dot, QRgb rgb);
    DotRoute routeFor(const QRect& dot, QRgb rgb);
    void showWithNextFrame(const QRect& dot);
    void paintWholeWindow();
    void paintDot(const QRect& dot);
    void putRendered(const QRect& dot);
    void fillOnX11(const DotRoute& route, QRgb rgb);
    void writeToBackingStore(const QRect& dot, const QVarLengthArray<QRect, 4>& parts, QRgb rgb);

    static void fillSquare(QImage& image, const QRect& square, QRgb rgb);
    // Renders the window in the region and puts it on its X11 surface; false when it cannot.
    bool putPainted(const QRegion& region);
    void repaintClipped(const QRectF& area);

    QWidget& surface;
    QImage layer;
    std::vector<QWidget*> covering;
    SurfaceCover cover;
    DirectSurface direct{surface};
    PaintHold hold{surface, direct};
    // A paint that leaves every control looking as it did.
    bool quietPaint = false;
    bool stale = true;
    int pen = 1;
};

} // namespace qor
