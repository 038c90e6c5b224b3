#pragma once

#include "ui/x11/X11FrameMemory.h"

#include <QMargins>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QWindow;

namespace qor {

// The frame that the window manager will put around a window that is not mapped yet, in the
// window's device-independent pixels, so that the window can be placed where it will stay before
// it first shows. On X the frame of a kind of window is taken from what the running window manager
// gave the last window of that kind (X11FrameMemory.h) and checked once the window is framed;
// otherwise the window manager is asked with _NET_REQUEST_FRAME_EXTENTS when this is made, and
// works out its answer (_NET_FRAME_EXTENTS) while the program goes on building the window.
class FrameExtentsRequest {
public:
    // For the window, which must have its platform window and the flags it will show with.
    // Asks nothing on other platforms or when the window manager does not offer the request.
    explicit FrameExtentsRequest(QWindow& window);
    ~FrameExtentsRequest();
    FrameExtentsRequest(const FrameExtentsRequest&) = delete;
    FrameExtentsRequest& operator=(const FrameExtentsRequest&) = delete;

    // The frame remembered, or the answer awaited for at most `bound`, during which no handler of
    // the program runs. Empty when there is neither or no answer came in time.
    std::optional<QMargins> answer(std::chrono::milliseconds bound);
    // Whether the answer came from memory; such a frame is checked when the window is framed.
    bool fromMemory() const { return remembered.has_value(); }
    // Runs `mend` (from the event queue's handling of the window manager's frame) when the frame
    // that the window got differs from the one remembered.
    void whenMemoryWasWrong(std::function<void()> mend);

private:
    struct Watch;
    void checkMemory();

    QWindow& window;
    unsigned root = 0;
    unsigned extents = 0;
    FrameKind kind;
    std::optional<QMargins> remembered; // in the X server's pixels
    bool answered = false;
    bool memoryChecked = false;
    std::function<void()> mendWrongMemory;
    std::unique_ptr<Watch> watch;
};

} // namespace qor
