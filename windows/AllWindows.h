#pragma once

#include "app/WindowTable.h"

#include <vector>

namespace qor {

// The ten windows of the program, in the registry's order. The list lives beside the windows it
// names, and main.cpp hands it to the program, so that app/ never includes a window.
std::vector<WindowType> allWindowTypes();

} // namespace qor
