#pragma once

#include "ui/WindowDescription.h"

#include <QRectF>
#include <QString>

namespace qor {

class LiveWindow;

// A shape is painted by its window, so pointer events over it reach the window.
class LiveShape {
public:
    LiveShape(LiveWindow& window, const ControlDescription& description);
    const QString& name() const { return shapeName; }
    ShapeKind kind() const { return shapeKind; }
    float Left() const { return left; }
    float Top() const { return top; }
    void setLeft(float twips);
    void setTop(float twips);
    // The figure actually drawn, in twips: circles and rounded squares take the smaller side of
    // the box and stand centred in it.
    QRectF figure() const;

private:
    LiveWindow& window;
    QString shapeName;
    ShapeKind shapeKind;
    float left, top, width, height;
};

} // namespace qor
