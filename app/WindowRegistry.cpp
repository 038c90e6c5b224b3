#include "app/WindowRegistry.h"

#include <algorithm>

namespace qor {

struct WindowRegistry::Entry {
    WindowType type;
    State state = State::NotLoaded;
    QPointer<LiveWindow> window;
    std::unique_ptr<WindowModule> module;
};

// The registry and its dispatcher need each other: every handler of a window runs through the
// dispatcher, and after the outermost handler the dispatcher asks the registry whether any window
// is still loaded, or ends the program. The registry makes its dispatcher, so each has the other
// from the start; the dispatcher first reads the registry when a handler runs, once it is built.
WindowRegistry::WindowRegistry(std::vector<WindowType> types, Services& services,
                               std::function<void(int)> quit)
    : services(services), handlerDispatcher(services.messages, std::move(quit), this) {
    for (const WindowType& type : types)
        entries.push_back(Entry{type, State::NotLoaded, nullptr, nullptr});
}

WindowRegistry::~WindowRegistry() {
    for (Entry& e : entries) {
        e.module.reset();
        delete e.window.data();
    }
    for (const QPointer<LiveWindow>& window : retiredWindows)
        delete window.data();
}

WindowRegistry::Entry& WindowRegistry::entry(WindowName name) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [name](const Entry& e) { return e.type.name == name; });
    if (it == entries.end())
        throw Failure("No such window in the registry");
    return *it;
}

const WindowRegistry::Entry& WindowRegistry::entry(WindowName name) const {
    return const_cast<WindowRegistry*>(this)->entry(name);
}

WindowRegistry::Entry* WindowRegistry::entryOf(const LiveWindow& window) {
    for (Entry& e : entries)
        if (e.window == &window)
            return &e;
    return nullptr;
}

void WindowRegistry::throwIfEnded() const {
    if (hasEnded)
        throw ProgramEnded{};
}

WindowModule::Handler WindowRegistry::handlerOf(const Entry& e, const QString& source,
                                                Event event) {
    return e.module ? e.module->handlerFor(source, event) : WindowModule::Handler{};
}

void WindowRegistry::Show(WindowName name) {
    throwIfEnded();
    Entry& e = entry(name);
    switch (e.state) {
    case State::NotLoaded: {
        auto* window = new LiveWindow(e.type.describe(), this);
        e.window = window;
        e.state = State::Shown;
        if (e.type.create)
            e.module = e.type.create(WindowContext{*this, services, *window});
        if (const WindowModule::Handler load = handlerOf(e, formSource, Event::Load)) {
            EventArgs args;
            load(args);
            throwIfEnded();
        }
        if (!e.window)
            return;
        const std::optional<QRect> area = services.screen.availableArea();
        const bool placed = area && window->placeBeforeShow(*area);
        window->show();
        if (area && !placed)
            window->placeAtStartUpPosition(*area);
        window->focusFirstControl();
        bringToFront(*window);
        return;
    }
    case State::Hidden:
        e.state = State::Shown;
        e.window->show();
        bringToFront(*e.window);
        return;
    case State::Shown:
        bringToFront(*e.window);
        return;
    }
}

void WindowRegistry::bringToFront(LiveWindow& window) {
    window.raise();
    window.activateWindow();
    lastShown = &window;
}

LiveWindow* WindowRegistry::shownByHandler() const {
    if (!lastShown)
        return nullptr;
    const Entry* e = const_cast<WindowRegistry*>(this)->entryOf(*lastShown);
    return e && e->state == State::Shown ? lastShown.data() : nullptr;
}

void WindowRegistry::Hide(WindowName name) {
    throwIfEnded();
    Entry& e = entry(name);
    if (e.state == State::NotLoaded)
        return;
    e.state = State::Hidden;
    e.window->hide();
}

void WindowRegistry::Unload(WindowName name) {
    throwIfEnded();
    Entry& e = entry(name);
    if (e.state == State::NotLoaded)
        return;
    if (const WindowModule::Handler unload = handlerOf(e, formSource, Event::Unload)) {
        EventArgs args;
        unload(args);
        throwIfEnded();
        if (args.cancel != 0 || e.state == State::NotLoaded)
            return;
    }
    destroy(e);
}

void WindowRegistry::destroy(Entry& e) {
    e.state = State::NotLoaded;
    if (e.module)
        retired.push_back(std::move(e.module));
    if (LiveWindow* window = e.window.data()) {
        window->detach();
        window->hide();
        // A handler that is still running may read its window once a message box it opened has
        // closed, and the box's event loop would carry out a deleteLater at once.
        retiredWindows.emplace_back(window);
    }
    e.window = nullptr;
}

void WindowRegistry::End() {
    if (!hasEnded) {
        hasEnded = true;
        for (Entry& e : entries)
            if (e.state != State::NotLoaded)
                destroy(e);
    }
    throw ProgramEnded{};
}

WindowRegistry::State WindowRegistry::state(WindowName name) const {
    return entry(name).state;
}

LiveWindow* WindowRegistry::window(WindowName name) const {
    return entry(name).window.data();
}

WindowModule* WindowRegistry::module(WindowName name) const {
    return entry(name).module.get();
}

bool WindowRegistry::anyLoaded() const {
    return std::any_of(entries.begin(), entries.end(),
                       [](const Entry& e) { return e.state != State::NotLoaded; });
}

void WindowRegistry::closeAll() {
    for (Entry& e : entries) {
        if (hasEnded || handlerDispatcher.ended())
            return;
        if (e.state != State::NotLoaded) {
            const WindowName name = e.type.name;
            handlerDispatcher.run([this, name] { Unload(name); });
        }
    }
    handlerDispatcher.endIfNothingLoaded();
}

void WindowRegistry::releaseRetired() {
    retired.clear();
    // The platform event that ran the outermost handler may still be on the window's stack.
    for (const QPointer<LiveWindow>& window : retiredWindows)
        if (window)
            window->deleteLater();
    retiredWindows.clear();
}

void WindowRegistry::raise(LiveWindow& window, const QString& source, Event event,
                           EventArgs& args) {
    const Entry* e = entryOf(window);
    const WindowModule::Handler handler = e ? handlerOf(*e, source, event) : nullptr;
    if (handler)
        handlerDispatcher.run([&handler, &args] { handler(args); });
}

void WindowRegistry::closeRequested(LiveWindow& window) {
    Entry* e = entryOf(window);
    if (!e)
        return;
    const WindowName name = e->type.name;
    handlerDispatcher.run([this, name] { Unload(name); });
}

} // namespace qor
