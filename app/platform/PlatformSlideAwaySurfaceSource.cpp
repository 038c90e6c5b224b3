#include "app/platform/PlatformSlideAwaySurfaceSource.h"

#include "app/platform/X11SlideAwaySurface.h"
#include "ui/LiveWindow.h"

namespace qor {

namespace {

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

std::unique_ptr<SlideAwaySurface> PlatformSlideAwaySurfaceSource::take(LiveWindow& window) {
    if (auto x11 = X11SlideAwaySurface::take(window, screen))
        return x11;
    return std::make_unique<WidgetSlideAwaySurface>(window, screen);
}

} // namespace qor
