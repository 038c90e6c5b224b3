#include "windows/tools/LiveSlideAway.h"

#include "windows/tools/X11SlideAwaySurface.h"

namespace qor {

namespace {

// Where the toolkit places windows itself and applies a change at once (the platform without
// a screen that tests use), the window's own members are the surface.
class WidgetSlideAwaySurface : public SlideAwaySurface {
public:
    WidgetSlideAwaySurface(LiveWindow& window, ScreenInfo& screen)
        : window(window), screen(screen) {}

    float Height() const override { return window.HeightTwips(); }
    void setHeight(float height) override { window.setHeightTwips(height); }
    float Top() const override { return window.TopTwips(); }
    void setTop(float top) override { window.setTopTwips(top); }
    float Left() const override { return window.LeftTwips(); }
    void setLeft(float left) override { window.setLeftTwips(left); }
    float ScreenHeight() const override { return screen.height(); }
    float ScreenWidth() const override { return screen.width(); }

private:
    LiveWindow& window;
    ScreenInfo& screen;
};

} // namespace

std::unique_ptr<SlideAwaySurface> liveSlideAwaySurface(LiveWindow& window, ScreenInfo& screen) {
    if (auto x11 = X11SlideAwaySurface::take(window, screen))
        return x11;
    return std::make_unique<WidgetSlideAwaySurface>(window, screen);
}

} // namespace qor
