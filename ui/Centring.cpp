#include "ui/Centring.h"

#include <algorithm>

namespace qor {

QPoint centredFramePosition(QSize frame, const QRect& available) {
    QRect placed(QPoint(), frame);
    placed.moveCenter(available.center());
    placed.moveTop(std::max(placed.top(), available.top()));
    return placed.topLeft();
}

} // namespace qor
