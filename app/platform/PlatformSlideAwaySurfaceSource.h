#pragma once

#include "app/Services.h"

namespace qor {

// On an X server the exit talks to the server directly; where the toolkit places windows itself
// and applies a change at once (the platform without a screen that tests use), the window's own
// members are the surface.
class PlatformSlideAwaySurfaceSource : public SlideAwaySurfaceSource {
public:
    explicit PlatformSlideAwaySurfaceSource(ScreenInfo& screen) : screen(screen) {}
    std::unique_ptr<SlideAwaySurface> take(LiveWindow& window) override;

private:
    ScreenInfo& screen;
};

} // namespace qor
