#pragma once

#include "app/WindowTable.h"

#include <functional>
#include <vector>

namespace qor {

class WindowRegistry;

// Called once the main window is shown, before the event loop starts; the start-up benchmark
// uses it to watch for the main window's first frame with exactly the program's start-up code.
using StartedHook = std::function<void(WindowRegistry&)>;

// Starts the program: the platform services, the registry with the given windows
// (windows/AllWindows.h, handed in by main.cpp), the main window, then the event loop. Returns
// the exit status.
int runQor(int argc, char** argv, std::vector<WindowType> windows, const StartedHook& started = {});

} // namespace qor
