#pragma once

#include "app/SlideAwaySurface.h"

namespace qor {

namespace slideAway {
// The fold goes on while the window is higher than this: a strip of the upper row of buttons.
inline constexpr float foldLimit = 435.0f;
// Every change of height, top or left is this large.
inline constexpr float step = 20.0f;
// The drop goes on while the top edge is at least this far above the bottom of the screen, which
// leaves the folded strip (at most 435 high) wholly on the screen.
inline constexpr float bottomMargin = 500.0f;
} // namespace slideAway

// Folds the window up to a strip, drops it to the bottom of the screen and runs it off the right
// edge, then returns; ending the program is the caller's part. Failures of the surface pass
// through and stop the animation at the failing call.
void runSlideAway(SlideAwaySurface& window);

} // namespace qor
