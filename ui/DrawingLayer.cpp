#include "ui/DrawingLayer.h"

#include "ui/Twips.h"
#include "ui/ZeroedImage.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace qor {

namespace {

// Drawings this far outside the client area cannot show, and their pixel positions would not
// fit the integers that painting works in: they are clipped away whole, without a failure.
constexpr float farOutPixels = 1.0e7f;

// A Wayland compositor takes at most one frame per screen refresh, and each flush waits until it
// releases the last buffer: thousands of dots flushed one by one would hold the program for
// minutes. There the dots are gathered and shown with the next frame.
bool flushesEachDot() {
    static const bool each = !QGuiApplication::platformName().startsWith(u"wayland");
    return each;
}

void fillSquare(QImage& image, const QRect& square, QRgb rgb) {
    for (int row = square.top(); row <= square.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + square.left(), line + square.right() + 1, rgb);
    }
}

} // namespace

DrawingLayer::DrawingLayer(QWidget& surface) : surface(surface) {}

QImage& DrawingLayer::pixels() const {
    // Made on the first drawing only: most windows never draw, and the screen saver window's
    // client area would need hundreds of megabytes.
    if (layer.isNull())
        layer = zeroedImage(surface.size().expandedTo(QSize(1, 1)),
                            QImage::Format_ARGB32_Premultiplied);
    return layer;
}

void DrawingLayer::circle(float x, float y, float radius, const QColor& colour) {
    // Centre and radius fall on whole pixels, as every length the platform applies does, so the
    // circle is symmetric about the pixel of its centre and successive radii that round alike
    // draw the very same ring, the last one deciding its colour.
    const float centreX = x / twipsPerPixel, centreY = y / twipsPerPixel;
    const float pixelRadius = std::abs(radius / twipsPerPixel);
    if (!(std::abs(centreX) < farOutPixels && std::abs(centreY) < farOutPixels &&
          pixelRadius < farOutPixels))
        return;
    const QPoint centre(int(std::lround(centreX)), int(std::lround(centreY)));
    const int r = int(std::lround(pixelRadius));
    {
        QPainter painter(&pixels());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(colour, pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r, r);
    }
    const int reach = r + pen + 1;
    repaintClipped(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach + 1, 2 * reach + 1));
}

void DrawingLayer::dot(float x, float y, const QColor& colour) {
    // Written straight into the layer: thousands of dots are drawn in one handler and each must
    // show at once.
    const float leftEdge = std::floor(x / twipsPerPixel - float(pen - 1) / 2);
    const float topEdge = std::floor(y / twipsPerPixel - float(pen - 1) / 2);
    if (!(std::abs(leftEdge) < farOutPixels && std::abs(topEdge) < farOutPixels))
        return;
    const QRect square = QRect(int(leftEdge), int(topEdge), pen, pen).intersected(pixels().rect());
    if (square.isEmpty())
        return;
    const QRgb rgb = colour.rgba();
    fillSquare(pixels(), square, rgb);
    show(square, rgb);
}

void DrawingLayer::show(const QRect& dot, QRgb rgb) {
    QWindow* handle = surface.windowHandle();
    // A window that is not on the screen paints its layer, dot included, when it shows.
    if (!handle || !handle->isExposed())
        return;
    if (!flushesEachDot()) {
        surface.update(dot);
        return;
    }
    // Once after a resize: the whole window, whose layer holds the dot, goes on the screen.
    if (stale) {
        surface.repaint();
        cover.invalidate();
        return;
    }
    // A colour that is not opaque blends with what the window paints beneath it.
    if (qAlpha(rgb) != 255) {
        paintDot(dot);
        return;
    }
    if (!cover.isMeasured())
        cover.measure(covering);
    const SurfaceCover::Exposure exposure = cover.exposureOf(dot);
    switch (exposure.kind) {
    case SurfaceCover::Exposure::Hidden:
        return;
    case SurfaceCover::Exposure::Blended:
        // Rendered apart from the backing store, which a paint of the window would first bring
        // to the window's size: after a resize, that is a paint of the whole window.
        if (!putPainted(dot))
            paintDot(dot);
        return;
    case SurfaceCover::Exposure::Open:
        break;
    }
    // The whole paint of the window for each of thousands of dots costs far more than the dot:
    // where the dot shows, the surface is already on the screen as painted, so the dot's pixels,
    // opaque whatever lies beneath, are put there directly.
    if (X11WindowSurface* x11 = directSurface()) {
        x11->fill(rgb, exposure.open.data(), int(exposure.open.size()));
        return;
    }
    if (!showThroughBackingStore(exposure.open, rgb))
        paintDot(dot);
}

bool DrawingLayer::showThroughBackingStore(const QVarLengthArray<QRect, 4>& parts, QRgb rgb) {
    QBackingStore* store = surface.backingStore();
    QWindow* handle = surface.windowHandle();
    if (!store || !handle)
        return false;
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
    return true;
}

void DrawingLayer::paintDot(const QRect& dot) {
    // The controls repaint their part of the dot as they look already: the cover still holds.
    const QScopedValueRollback quiet(quietPaint, true);
    surface.repaint(dot);
}

X11WindowSurface* DrawingLayer::directSurface() {
    QWindow* handle = surface.windowHandle();
    if (!handle)
        return nullptr;
    if (!direct || direct->window() != handle->winId())
        direct = X11WindowSurface::open(*handle);
    return direct.get();
}

bool DrawingLayer::putPainted(const QRegion& region) {
    if (region.isEmpty())
        return true;
    X11WindowSurface* x11 = directSurface();
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

bool DrawingLayer::holdPaint(const QColor& back) {
    QWindow* handle = surface.windowHandle();
    if (held || back.alpha() != 255 || !handle || !handle->isExposed() || !flushesEachDot())
        return false;
    X11WindowSurface* x11 = directSurface();
    if (!x11)
        return false;
    // What the window has yet to paint at its present size goes on the screen first: from here
    // on, the screen holds the window's paint wherever the X server does not paint.
    QCoreApplication::sendPostedEvents(&surface, QEvent::UpdateRequest);
    held = Held{stale, !layer.isNull(), {}};
    surface.setUpdatesEnabled(false);
    x11->setBackground(back.rgb());
    return true;
}

void DrawingLayer::resumePaint(QSize before, const QRegion& content) {
    if (!held)
        return;
    const Held was = *held;
    held.reset();
    if (X11WindowSurface* x11 = directSurface())
        x11->setBackground(std::nullopt);
    surface.setUpdatesEnabled(true);
    const bool resized = surface.size() != before;
    QRegion differing = was.exposed & content;
    // A resize wipes the drawings, and the X server keeps the former client area as it stood.
    if (resized && (was.drawings || was.stale))
        differing |= QRect(QPoint(0, 0), before);
    differing &= surface.rect();
    if (!putPainted(differing)) {
        stale = true;
        return;
    }
    if (resized)
        stale = false;
}

void DrawingLayer::controlChanged(const QEvent& event) {
    switch (event.type()) {
    case QEvent::Paint:
        // Paints that the cover or a dot cause leave every control looking as it did.
        if (!cover.isMeasuring() && !quietPaint)
            cover.invalidate();
        break;
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        cover.invalidate();
        break;
    default:
        break;
    }
}

void DrawingLayer::repaintClipped(const QRectF& area) {
    const QRect dirty = area.toAlignedRect().intersected(surface.rect());
    if (!dirty.isEmpty())
        surface.repaint(dirty);
}

void DrawingLayer::paintOver(QPainter& painter) const {
    if (!layer.isNull())
        painter.drawImage(QPoint(0, 0), layer);
}

void DrawingLayer::painting(const QRegion& region) {
    if ((QRegion(surface.rect()) - region).isEmpty())
        stale = false;
}

void DrawingLayer::wipe() {
    stale = true;
    layer = QImage();
}

void DrawingLayer::wipe(const QRegion& exposed) {
    if (held)
        held->exposed += exposed;
    if (layer.isNull())
        return;
    const QRegion wiped = exposed & layer.rect();
    if (wiped.isEmpty())
        return;
    {
        QPainter painter(&layer);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& part : wiped)
            painter.fillRect(part, Qt::transparent);
    }
    // Marked for painting, so the platform's repaint paints the part afresh instead of putting
    // the old pixels back.
    surface.update(wiped);
}

} // namespace qor
