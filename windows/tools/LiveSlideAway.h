#pragma once

#include "app/Services.h"
#include "ui/LiveWindow.h"
#include "windows/tools/SlideAwayExit.h"

#include <memory>

namespace qor {

// The slide-away surface of a live window. Its steps reach the screen one by one while the
// exit holds the user-interface thread: no event is handled in between, so no handler of the
// program runs and no queued key stroke reaches a control until the program has ended.
std::unique_ptr<SlideAwaySurface> liveSlideAwaySurface(LiveWindow& window, ScreenInfo& screen);

} // namespace qor
