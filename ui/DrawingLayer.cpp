#include "ui/DrawingLayer.h"

#include "ui/Twips.h"

#include <QBackingStore>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace qor {

namespace {

// Drawings this far outside the client area cannot show, and their pixel positions would not
// fit the integers that painting works in: they are clipped away whole, without a failure.
constexpr float farOutPixels = 1.0e7f;

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
    if (layer.isNull()) {
        layer = QImage(surface.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
    }
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
    if (!showDirectly(square, rgb))
        surface.repaint(square);
}

bool DrawingLayer::showDirectly(const QRect& dot, QRgb rgb) {
    // The whole paint of the window for each of thousands of dots costs far more than the dot:
    // where the dot covers only the window's own surface, and that surface is already on the
    // screen as painted, the dot's square is written into the window's backing store and just
    // that square is flushed. Its pixels are the opaque dot colour whatever lies beneath.
    QBackingStore* store = surface.backingStore();
    QWindow* handle = surface.windowHandle();
    if (stale || !store || !handle || !handle->isExposed() || qAlpha(rgb) != 255)
        return false;
    for (QWidget* child : covering)
        if (child->isVisible() && child->geometry().intersects(dot))
            return false;
    const QRegion region(dot);
    store->beginPaint(region);
    auto* image = dynamic_cast<QImage*>(store->paintDevice());
    if (image && image->devicePixelRatio() == 1.0 && image->depth() == 32 &&
        image->rect().contains(dot)) {
        fillSquare(*image, dot, rgb);
    } else {
        QPainter painter(store->paintDevice());
        painter.fillRect(dot, QColor::fromRgba(rgb));
    }
    store->endPaint();
    store->flush(region, handle);
    return true;
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

} // namespace qor
