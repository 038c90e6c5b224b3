#include "ui/LiveShape.h"

#include "ui/LiveWindow.h"

#include <algorithm>

namespace qor {

LiveShape::LiveShape(LiveWindow& window, const ControlDescription& description)
    : window(window), shapeName(description.name), shapeKind(description.shape),
      left(float(description.box.left)), top(float(description.box.top)),
      width(float(description.box.width)), height(float(description.box.height)) {}

void LiveShape::setLeft(float twips) {
    const QRectF before = figure();
    left = twips;
    window.shapeMoved(before, figure());
}

void LiveShape::setTop(float twips) {
    const QRectF before = figure();
    top = twips;
    window.shapeMoved(before, figure());
}

QRectF LiveShape::figure() const {
    if (shapeKind == ShapeKind::Rectangle)
        return {left, top, width, height};
    const float side = std::min(width, height);
    return {left + (width - side) / 2, top + (height - side) / 2, side, side};
}

} // namespace qor
