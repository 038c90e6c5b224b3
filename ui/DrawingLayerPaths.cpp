#include "ui/DrawingLayer.h"

#include "ui/x11/DisplayServer.h"

#include <QBackingStore>
#include <QPainter>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>

namespace qor {

void DrawingLayer::show(const QRect& dot, QRgb rgb) {
    const DotRoute route = routeFor(dot, rgb);
    switch (route.path) {
    case DotPath::None:
        return;
    case DotPath::NextFrame:
        showWithNextFrame(dot);
        return;
    case DotPath::WholeWindow:
        paintWholeWindow();
        return;
    case DotPath::PaintedDot:
        paintDot(dot);
        return;
    case DotPath::RenderedOnX11:
        putRendered(dot);
        return;
    case DotPath::FilledOnX11:
        fillOnX11(route, rgb);
        return;
    case DotPath::ThroughBackingStore:
        writeToBackingStore(dot, route.open, rgb);
        return;
    }
}

DrawingLayer::DotRoute DrawingLayer::routeFor(const QRect& dot, QRgb rgb) {
    DotRoute route;
    const QWindow* handle = surface.windowHandle();
    if (!handle || !handle->isExposed())
        return route;
    if (!flushShowsAtOnce()) {
        route.path = DotPath::NextFrame;
        return route;
    }
    if (stale) {
        route.path = DotPath::WholeWindow;
        return route;
    }
    if (qAlpha(rgb) != 255) {
        route.path = DotPath::PaintedDot;
        return route;
    }
    if (!cover.isMeasured())
        cover.measure(covering);
    SurfaceCover::Exposure exposure = cover.exposureOf(dot);
    switch (exposure.kind) {
    case SurfaceCover::Exposure::Hidden:
        return route;
    case SurfaceCover::Exposure::Blended:
        route.path = direct.get() ? DotPath::RenderedOnX11 : DotPath::PaintedDot;
        return route;
    case SurfaceCover::Exposure::Open:
        break;
    }
    route.open = std::move(exposure.open);
    route.x11 = direct.get();
    route.path = route.x11 ? DotPath::FilledOnX11 : DotPath::ThroughBackingStore;
    return route;
}

void DrawingLayer::showWithNextFrame(const QRect& dot) {
    surface.update(dot);
}

void DrawingLayer::paintWholeWindow() {
    surface.repaint();
    cover.invalidate();
}

void DrawingLayer::paintDot(const QRect& dot) {
    // The controls repaint their part of the dot as they look already: the cover still holds.
    const QScopedValueRollback quiet(quietPaint, true);
    surface.repaint(dot);
}

void DrawingLayer::putRendered(const QRect& dot) {
    // Rendered apart from the backing store, which a paint of the window would first bring to the
    // window's size: after a resize, that is a paint of the whole window.
    if (!putPainted(dot))
        paintDot(dot);
}

void DrawingLayer::fillOnX11(const DotRoute& route, QRgb rgb) {
    // The whole paint of the window for each of thousands of dots costs far more than the dot:
    // where the dot shows, the surface is already on the screen as painted, so the dot's pixels,
    // opaque whatever lies beneath, are put there directly.
    route.x11->fill(rgb, route.open.data(), int(route.open.size()));
}

void DrawingLayer::writeToBackingStore(const QRect& dot, const QVarLengthArray<QRect, 4>& parts,
                                       QRgb rgb) {
    QBackingStore* store = surface.backingStore();
    QWindow* handle = surface.windowHandle();
    if (!store || !handle) {
        paintDot(dot);
        return;
    }
    QRegion region;
    region.setRects(parts.data(), int(parts.size()));
    store->beginPaint(region);
    auto* image = dynamic_cast<QImage*>(store->paintDevice());
    if (image && image->devicePixelRatio() == 1.0 && image->depth() == 32 &&
        image->rect().contains(region.boundingRect())) {
        for (const QRect& part : parts)
            fillSquare(*image, part, rgb);
    } else {
        QPainter painter(store->paintDevice());
        for (const QRect& part : parts)
            painter.fillRect(part, QColor::fromRgba(rgb));
    }
    store->endPaint();
    store->flush(region, handle);
}

bool DrawingLayer::putPainted(const QRegion& region) {
    if (region.isEmpty())
        return true;
    X11WindowSurface* x11 = direct.get();
    if (!x11)
        return false;
    const QRect bounds = region.boundingRect();
    // The format of the window's backing store, so that every pixel comes out as it paints it.
    QImage painted(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    {
        const QScopedValueRollback quiet(quietPaint, true);
        surface.render(&painted, QPoint(), region,
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    return x11->put(painted, bounds.topLeft(), region);
}

} // namespace qor
