#pragma once

namespace qor {

// Starts the program: the platform services, the registry with its ten windows, the main window,
// then the event loop. Returns the exit status.
int runQor(int argc, char** argv);

} // namespace qor
