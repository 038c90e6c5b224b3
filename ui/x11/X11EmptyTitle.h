#pragma once

#include <QWidget>

namespace qor {

// Qt titles a window whose title is empty with the application's name; on X this clears the
// title the window manager shows (_NET_WM_NAME and WM_NAME) again, so that an empty caption
// gives an empty title bar. Call it once the window has its platform window. Does nothing on
// other platforms.
void clearX11Title(QWidget& window);

} // namespace qor
