#pragma once

#include <QIcon>
#include <QImage>

namespace qor {

// The application's icon painted at size x size pixels: the same drawing as the scalable
// packaging/qor.svg (a magnifier and stars on a black tile), on a 128-unit grid.
QImage paintApplicationIcon(int size);

// The icon every window shows, in the sizes window managers and task bars ask for.
QIcon applicationIcon();

// Gives every window the application icon at the first turn of the event loop. The icon is no
// part of a window's first frame: painting its sizes and handing them to the window server then
// falls in the time the window manager takes to map the first window, not before it is built.
void setApplicationIconOnceRunning();

} // namespace qor
