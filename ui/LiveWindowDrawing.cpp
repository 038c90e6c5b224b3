#include "ui/LiveWindow.h"

#include "base/Failure.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace qor {

namespace {

// Divides in single precision, as the twips themselves are held.
QRectF pixelsOf(const QRectF& twips) {
    return {float(twips.x()) / twipsPerPixel, float(twips.y()) / twipsPerPixel,
            float(twips.width()) / twipsPerPixel, float(twips.height()) / twipsPerPixel};
}

// A line control's ends in client pixels.
QLineF linePixels(const LineEnds& e) {
    return {QPointF(e.x1 / double(twipsPerPixel), e.y1 / double(twipsPerPixel)),
            QPointF(e.x2 / double(twipsPerPixel), e.y2 / double(twipsPerPixel))};
}

} // namespace

void LiveWindow::setDrawWidth(int pixels) {
    if (pixels < 1 || pixels > 32767)
        throw Failure("Invalid draw width " + std::to_string(pixels));
    drawing.setPenWidth(pixels);
}

void LiveWindow::Circle(float x, float y, float radius, std::optional<OleColor> colour) {
    drawing.circle(x, y, radius, colour.value_or(describedAs.foreColor).resolve(palette()));
}

void LiveWindow::PSet(float x, float y, OleColor colour) {
    drawing.dot(x, y, colour.resolve(palette()));
}

void LiveWindow::shapeMoved(const QRectF& before, const QRectF& after) {
    const auto toPixels = [](const QRectF& twips) {
        return pixelsOf(twips).toAlignedRect().adjusted(-2, -2, 2, 2);
    };
    drawing.markStale();
    update(toPixels(before));
    update(toPixels(after));
}

void LiveWindow::paintEvent(QPaintEvent* event) {
    drawing.painting(event->region());
    QPainter painter(this);
    const QColor back = describedAs.backColor.resolve(palette());
    painter.fillRect(rect(), back);
    // Shapes and lines are outlined in the fore colour, unless that is the back colour too (the
    // screen saver window), where they would not show.
    QColor outline = describedAs.foreColor.resolve(palette());
    if (outline == back)
        outline = palette().color(QPalette::Highlight);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    for (const LiveShape& s : shapes) {
        const QRectF px = pixelsOf(s.figure());
        switch (s.kind()) {
        case ShapeKind::Rectangle:
            painter.drawRect(px);
            break;
        case ShapeKind::Circle:
            painter.drawEllipse(px);
            break;
        case ShapeKind::RoundedSquare:
            painter.drawRoundedRect(px, px.width() / 8, px.height() / 8);
            break;
        }
    }
    for (const ControlDescription& control : describedAs.controls) {
        if (control.kind != ControlKind::Line)
            continue;
        painter.drawLine(linePixels(control.ends));
    }
    drawing.paintOver(painter);
}

QRegion LiveWindow::paintedOverBackground() const {
    QRegion content;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow())
            content += child->geometry();
    // Outlines are a pixel wide, and may reach a pixel beyond their figure's edges.
    for (const LiveShape& s : shapes)
        content += pixelsOf(s.figure()).toAlignedRect().adjusted(-1, -1, 2, 2);
    for (const ControlDescription& control : describedAs.controls) {
        if (control.kind != ControlKind::Line)
            continue;
        const QLineF line = linePixels(control.ends);
        content += QRectF(line.p1(), line.p2()).normalized().toAlignedRect().adjusted(-1, -1, 2, 2);
    }
    return content;
}

void LiveWindow::showEvent(QShowEvent* event) {
    // The platform's exposures reach the native window, which exists from the first show.
    if (QWindow* handle = windowHandle())
        handle->installEventFilter(this);
    QWidget::showEvent(event);
}

void LiveWindow::resizeEvent(QResizeEvent* event) {
    noteNewSize();
    drawing.wipe();
    QWidget::resizeEvent(event);
}

} // namespace qor
