#pragma once

#include "app/WindowModule.h"

namespace qor {

// The ten windows of the program, in the registry's order.
std::vector<WindowType> allWindowTypes();

} // namespace qor
