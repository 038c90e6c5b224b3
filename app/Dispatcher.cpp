#include "app/Dispatcher.h"

#include "app/WindowRegistry.h"

namespace qor {

Dispatcher::Dispatcher(MessageService& messages, std::function<void(int)> quit,
                       WindowRegistry* registry)
    : messages(messages), quit(std::move(quit)), registry(registry) {}

void Dispatcher::run(const std::function<void()>& handler) {
    if (hasQuit || (registry && registry->ended()))
        return;
    ++depth;
    try {
        handler();
    } catch (const ProgramEnded&) {
        finish(status);
    } catch (const LaunchFailure& failure) {
        // A program that cannot be started is reported; the launcher itself goes on.
        try {
            messages.show(failure.text(), MessageStyle::Stop);
        } catch (const ProgramEnded&) {
            finish(status);
        }
    } catch (const std::exception& failure) {
        try {
            messages.show(QString::fromUtf8(failure.what()), MessageStyle::Stop);
        } catch (const ProgramEnded&) {
        }
        status = 1;
        try {
            if (registry && !registry->ended())
                registry->End();
        } catch (const ProgramEnded&) {
        }
        finish(status);
    }
    --depth;
    if (depth > 0 || !registry)
        return;
    registry->releaseRetired();
    registry->forgetShownWindow();
    // The program ends once the last loaded window has gone and the running handler is over.
    if (registry->ended() || !registry->anyLoaded())
        finish(status);
}

void Dispatcher::endIfNothingLoaded() {
    if (registry && !registry->anyLoaded())
        finish(status);
}

void Dispatcher::finish(int exitStatus) {
    if (hasQuit)
        return;
    hasQuit = true;
    status = exitStatus;
    quit(exitStatus);
}

} // namespace qor
