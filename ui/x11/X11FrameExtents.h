#pragma once

#include <QMargins>
#include <chrono>
#include <optional>

class QWindow;

namespace qor {

// The frame that the window manager will put around a window that is not mapped yet, in the
// window's device-independent pixels, so that the window can be placed where it will stay before
// it first shows. On X the window manager is asked with _NET_REQUEST_FRAME_EXTENTS and its answer
// (_NET_FRAME_EXTENTS) awaited for at most `bound`; until then no handler of the program runs.
// Empty on other platforms, when the window manager does not offer the request, and when no
// answer came in time. The window must have its platform window.
std::optional<QMargins> frameExtentsBeforeMap(QWindow& window, std::chrono::milliseconds bound);

} // namespace qor
