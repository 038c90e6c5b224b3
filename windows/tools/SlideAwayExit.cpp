#include "windows/tools/SlideAwayExit.h"

#include <optional>

namespace qor {

namespace {

// The loops read every value afresh in every pass instead of counting steps, so whatever the
// platform made of the last change (whole pixels, a new screen size) decides the next test.
// All tests are strict greater-than tests: a value exactly at its limit still takes one step.
//
// Each phase ends only because every step carries the value read back towards its limit. A window
// manager may refuse a change (a minimum height, a window kept on the screen) or round a step away,
// and then the limit would never be reached. So a step after which the value read back has not
// moved the way the step went ends its phase, and the exit cannot spin. That is the one reason
// a loop remembers anything between passes: where its last step started.

void fold(SlideAwaySurface& window) {
    std::optional<float> lastStepFrom;
    for (;;) {
        const float height = window.Height();
        if (!(height > slideAway::foldLimit))
            return;
        if (lastStepFrom && !(height < *lastStepFrom))
            return;
        lastStepFrom = window.Height();
        window.setHeight(*lastStepFrom - slideAway::step);
    }
}

void drop(SlideAwaySurface& window) {
    std::optional<float> lastStepFrom;
    for (;;) {
        const float lowestTop = window.ScreenHeight() - slideAway::bottomMargin;
        const float top = window.Top();
        if (top > lowestTop)
            return;
        if (lastStepFrom && !(top > *lastStepFrom))
            return;
        lastStepFrom = window.Top();
        window.setTop(*lastStepFrom + slideAway::step);
    }
}

void runOff(SlideAwaySurface& window) {
    std::optional<float> lastStepFrom;
    for (;;) {
        const float screenWidth = window.ScreenWidth();
        const float left = window.Left();
        if (left > screenWidth)
            return;
        if (lastStepFrom && !(left > *lastStepFrom))
            return;
        lastStepFrom = window.Left();
        window.setLeft(*lastStepFrom + slideAway::step);
    }
}

} // namespace

void runSlideAway(SlideAwaySurface& window) {
    fold(window);
    drop(window);
    runOff(window);
}

} // namespace qor
