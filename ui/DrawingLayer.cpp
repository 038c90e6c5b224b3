#include "ui/DrawingLayer.h"

#include "ui/Twips.h"
#include "ui/x11/ZeroedImage.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace qor {

namespace {

// Drawings this far outside the client area cannot show, and their pixel positions would not
// fit the integers that painting works in: they are clipped away whole, without a failure.
constexpr float farOutPixels = 1.0e7f;

} // namespace

DrawingLayer::DrawingLayer(QWidget& surface) : surface(surface) {}

QImage& DrawingLayer::pixels() {
    // Made on the first drawing only: most windows never draw, and the screen saver window's
    // client area would need hundreds of megabytes.
    if (layer.isNull())
        layer = zeroedImage(surface.size().expandedTo(QSize(1, 1)),
                            QImage::Format_ARGB32_Premultiplied);
    return layer;
}

void DrawingLayer::fillSquare(QImage& image, const QRect& square, QRgb rgb) {
    for (int row = square.top(); row <= square.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + square.left(), line + square.right() + 1, rgb);
    }
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

bool DrawingLayer::holdPaint(const QColor& back) {
    return hold.begin(back, *this);
}

void DrawingLayer::resumePaint(QSize before, const QRegion& content) {
    if (!hold.isHolding())
        return;
    // Once what differs is put there, the screen is what the window paints at its new size.
    if (!putPainted(hold.end(before, content))) {
        stale = true;
        return;
    }
    if (surface.size() != before)
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
    hold.exposed(exposed);
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
