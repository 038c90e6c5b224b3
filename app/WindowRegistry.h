#pragma once

#include "app/Dispatcher.h"
#include "app/WindowModule.h"
#include "app/WindowTable.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

namespace qor {

// The one instance of every window: its state, and while loaded its live window and its code.
class WindowRegistry : public EventSink {
public:
    enum class State { NotLoaded, Shown, Hidden };

    // `quit` leaves the event loop with the program's exit status (Dispatcher).
    WindowRegistry(std::vector<WindowType> types, Services& services,
                   std::function<void(int)> quit);
    ~WindowRegistry() override;

    // Runs every handler of the program, those of the windows and those of the platform.
    Dispatcher& dispatcher() { return handlerDispatcher; }

    void Show(WindowName name);
    void Hide(WindowName name);
    void Unload(WindowName name);
    // The end operation: every window vanishes, no handler runs any more, the event loop ends.
    [[noreturn]] void End();

    State state(WindowName name) const;
    LiveWindow* window(WindowName name) const;
    WindowModule* module(WindowName name) const;
    template <typename Module> Module* moduleAs(WindowName name) const {
        return dynamic_cast<Module*>(module(name));
    }
    bool anyLoaded() const;
    // The window that the running handler last showed or brought to the front, while it is
    // shown; null once the outermost handler is over (forgetShownWindow).
    LiveWindow* shownByHandler() const;
    void forgetShownWindow() { lastShown = nullptr; }
    bool ended() const { return hasEnded; }

    // Log-off: the platform closes every loaded window in turn, hidden ones included.
    void closeAll();

    // Destroys the code and the windows unloaded while a handler was still running.
    void releaseRetired();

    void raise(LiveWindow& window, const QString& source, Event event, EventArgs& args) override;
    void closeRequested(LiveWindow& window) override;

private:
    struct Entry;
    Entry& entry(WindowName name);
    const Entry& entry(WindowName name) const;
    Entry* entryOf(const LiveWindow& window);
    void throwIfEnded() const;
    static WindowModule::Handler handlerOf(const Entry& entry, const QString& source, Event event);
    void destroy(Entry& entry);
    void bringToFront(LiveWindow& window);

    std::vector<Entry> entries;
    std::vector<std::unique_ptr<WindowModule>> retired;
    std::vector<QPointer<LiveWindow>> retiredWindows;
    Services& services;
    Dispatcher handlerDispatcher;
    bool hasEnded = false;
    QPointer<LiveWindow> lastShown;
};

} // namespace qor
