#pragma once

#include "app/Services.h"

#include <functional>

namespace qor {

class WindowRegistry;

// Runs every handler of the program, and is the one place that catches what escapes a handler:
// a launch failure is shown and the program goes on; the end operation stops everything; any
// other failure is shown and then ends the program without another handler.
class Dispatcher {
public:
    // `quit` leaves the event loop with the program's exit status. The program's dispatcher is
    // made by its registry (WindowRegistry.h), which ends the program once no window is loaded;
    // one without a registry only catches failures, as the launch benchmark needs.
    Dispatcher(MessageService& messages, std::function<void(int)> quit,
               WindowRegistry* registry = nullptr);

    void run(const std::function<void()>& handler);

    bool ended() const { return hasQuit; }

    // Log-off does not wait for the running handler: once it has closed every window, the program
    // ends at once, even under an open message box.
    void endIfNothingLoaded();
    int exitStatus() const { return status; }

private:
    void finish(int exitStatus);

    MessageService& messages;
    std::function<void(int)> quit;
    WindowRegistry* const registry;
    int depth = 0;
    bool hasQuit = false;
    int status = 0;
};

} // namespace qor
