#pragma once

#include <memory>

namespace qor {

class LiveWindow;

// One window as the slide-away exit moves it, the surface the exit works on: the tools window's
// outer geometry and the size of the screen, in twips, single precision. Every call goes to the
// platform, so a value read back is whatever the platform made of the last change; any call may
// throw Failure.
class SlideAwaySurface {
public:
    virtual ~SlideAwaySurface() = default;
    virtual float Height() const = 0;
    virtual void setHeight(float height) = 0;
    virtual float Top() const = 0;
    virtual void setTop(float top) = 0;
    virtual float Left() const = 0;
    virtual void setLeft(float left) = 0;
    virtual float ScreenHeight() const = 0;
    virtual float ScreenWidth() const = 0;
};

// Where the exit gets that surface: hands a live window over to the slide-away exit. Its steps
// reach the screen one by one while the exit holds the user-interface thread: no event is handled
// in between, so no handler of the program runs and no queued key stroke reaches a control until
// the program has ended.
class SlideAwaySurfaceSource {
public:
    virtual ~SlideAwaySurfaceSource() = default;
    virtual std::unique_ptr<SlideAwaySurface> take(LiveWindow& window) = 0;
};

} // namespace qor
