#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace qor {

// Where a window frame of this size stands when centred in the available area of a screen. A
// frame taller than the area keeps its top edge, and so its title bar, on the screen and runs off
// at the bottom instead: a title bar above the screen could not be reached to move the window.
QPoint centredFramePosition(QSize frame, const QRect& available);

} // namespace qor
