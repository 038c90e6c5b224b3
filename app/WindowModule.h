#pragma once

#include "app/Services.h"
#include "ui/Events.h"
#include "ui/LiveWindow.h"
#include "ui/WindowDescription.h"

#include <QHash>
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

// Qt 6.4 hashes no enumeration by itself.
inline size_t qHash(Event event, size_t seed = 0) noexcept {
    return ::qHash(static_cast<int>(event), seed);
}

// Implements the dispatch of a module from its static `bindings` table. The table is indexed by
// source and event once for the program's life, so an event finds its handler without walking it.
template <typename Module> class BoundModule : public WindowModule {
public:
    using WindowModule::WindowModule;

    bool handles(const QString& source, Event event) const override {
        return resolved().contains({source, event});
    }

    void run(const QString& source, Event event, EventArgs& args) override {
        const Binding<Module>* row = resolved().value({source, event});
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
    using Resolved = QHash<std::pair<QString, Event>, const Binding<Module>*>;

    // The first row for a source and event wins, as it did when the table was searched in order.
    static const Resolved& resolved() {
        static const Resolved table = [] {
            Resolved rows;
            for (const auto& row : Module::bindings)
                if (!rows.contains({row.source, row.event}))
                    rows.insert({row.source, row.event}, &row);
            return rows;
        }();
        return table;
    }
};

} // namespace qor
