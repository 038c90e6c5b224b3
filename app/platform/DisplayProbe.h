#pragma once

#include "app/DisplayChoice.h"
#include "app/StartOptions.h"

namespace qor {

// Looks at the environment and the display servers it names: connects to the X server and to
// the Wayland compositor's socket (and disconnects at once), and looks for Qt's Wayland plugin.
DisplayFacts probeDisplay(const StartOptions& options);

} // namespace qor
