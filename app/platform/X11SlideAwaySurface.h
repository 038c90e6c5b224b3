#pragma once

#include "app/Services.h"

#include <QWidget>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace qor {

// The slide-away surface of a window on an X server.
//
// A window manager owns where a managed window goes: it applies a client's moves late and in
// batches, so a tight loop of steps shows only a few of them, and openbox keeps a tenth of every
// window on the screen, so the run-off could never leave it. The exit therefore first takes the
// window back (withdrawn as ICCCM describes, then override-redirect and mapped again) and from
// then on talks to the X server alone. After each change it asks the server for the window's
// size and place and waits for the answer, so the server has put the change on the screen
// before the next one is made, and the values read until the next change are that answer: what
// the server made of the change. None of this passes through the toolkit's event loop, so no
// event of the program is handled until the exit ends.
class X11SlideAwaySurface : public SlideAwaySurface {
public:
    // Null unless the program runs on an X server.
    static std::unique_ptr<X11SlideAwaySurface> take(QWidget& window, ScreenInfo& screen);

    float Height() const override;
    void setHeight(float height) override;
    float Top() const override;
    void setTop(float top) override;
    float Left() const override;
    void setLeft(float left) override;
    float ScreenHeight() const override { return screen.height(); }
    float ScreenWidth() const override { return screen.width(); }

private:
    struct Geometry {
        int left, top, height;
    };

    X11SlideAwaySurface(xcb_connection_t* connection, std::uint32_t window, double pixelRatio,
                        ScreenInfo& screen);
    void takeFromWindowManager(QWidget& widget);
    Geometry askServer() const;
    void configure(std::uint16_t field, float twips, const char* what);
    float toTwips(int pixels) const;

    xcb_connection_t* connection;
    std::uint32_t window;
    double pixelRatio;
    ScreenInfo& screen;
    Geometry reported{};
};

} // namespace qor
