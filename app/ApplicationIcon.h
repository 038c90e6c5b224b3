#pragma once

#include <QIcon>
#include <QImage>

namespace qor {

// The application's icon painted at size x size pixels: the same drawing as the scalable
// packaging/qor.svg (a magnifier and stars on a black tile), on a 128-unit grid.
QImage paintApplicationIcon(int size);

// The icon every window shows, in the sizes window managers and task bars ask for.
QIcon applicationIcon();

} // namespace qor
