#pragma once

#include "app/Services.h"
#include "ui/Events.h"
#include "ui/LiveWindow.h"
#include "ui/WindowDescription.h"

#include <memory>
#include <utility>
#include <variant>
#include <vector>

namespace qor {

class WindowRegistry;

// What a window's code works with: the registry, the platform services and its own live window.
struct WindowContext {
    WindowRegistry& registry;
    Services& services;
    LiveWindow& window;
};

// The code of one loaded window: its handlers, reached through its binding table.
class WindowModule {
public:
    explicit WindowModule(const WindowContext& context)
        : registry(context.registry), services(context.services), Me(context.window) {}
    virtual ~WindowModule() = default;
    WindowModule(const WindowModule&) = delete;
    WindowModule& operator=(const WindowModule&) = delete;

    virtual bool handles(const QString& source, Event event) const = 0;
    virtual void run(const QString& source, Event event, EventArgs& args) = 0;

protected:
    WindowRegistry& registry;
    Services& services;
    LiveWindow& Me;
};

// One row of a window's binding table: an event of the window ("Form") or of a control, and the
// handler it runs. The handler's parameters are those of its event.
template <typename Module> struct Binding {
    using Plain = void (Module::*)();
    using WithFlag = void (Module::*)(std::int16_t&); // Unload's cancel flag, KeyPress's key
    using Pointer = void (Module::*)(std::int16_t button, std::int16_t shift, float x, float y);

    QString source;
    Event event;
    std::variant<Plain, WithFlag, Pointer> handler;
};

// Implements the dispatch of a module from its static `bindings` table.
template <typename Module> class BoundModule : public WindowModule {
public:
    using WindowModule::WindowModule;

    bool handles(const QString& source, Event event) const override {
        return find(source, event) != nullptr;
    }

    void run(const QString& source, Event event, EventArgs& args) override {
        const Binding<Module>* row = find(source, event);
        if (!row)
            return;
        auto& self = static_cast<Module&>(*this);
        std::visit(
            [&](auto handler) {
                using H = decltype(handler);
                if constexpr (std::is_same_v<H, typename Binding<Module>::Plain>)
                    (self.*handler)();
                else if constexpr (std::is_same_v<H, typename Binding<Module>::WithFlag>)
                    (self.*handler)(event == Event::Unload ? args.cancel : args.keyAscii);
                else
                    (self.*handler)(args.button, args.shift, args.x, args.y);
            },
            row->handler);
    }

    static std::vector<std::pair<QString, Event>> boundEvents() {
        std::vector<std::pair<QString, Event>> events;
        for (const auto& row : Module::bindings)
            events.emplace_back(row.source, row.event);
        return events;
    }

private:
    static const Binding<Module>* find(const QString& source, Event event) {
        for (const auto& row : Module::bindings)
            if (row.source == source && row.event == event)
                return &row;
        return nullptr;
    }
};

enum class WindowName {
    Form1,
    Frmprogress,
    frmSplash,
    frmSplash1,
    frmLogin,
    Form3,
    Form4,
    Form5,
    frmODBCLogon,
    form6
};

// A window as the registry knows it: how to describe it and how to create its code. A window
// that binds no event needs no code of its own.
struct WindowType {
    WindowName name;
    WindowDescription (*describe)();
    std::unique_ptr<WindowModule> (*create)(const WindowContext&) = nullptr;
    std::vector<std::pair<QString, Event>> (*boundEvents)() = nullptr;
};

template <typename Module> WindowType windowType(WindowName name) {
    return {name, &Module::describe,
            [](const WindowContext& context) -> std::unique_ptr<WindowModule> {
                return std::make_unique<Module>(context);
            },
            &Module::boundEvents};
}

} // namespace qor
