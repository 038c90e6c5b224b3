#pragma once

#include "app/LaunchTable.h"
#include "app/Services.h"
#include "ui/Events.h"
#include "ui/LiveWindow.h"
#include "ui/WindowDescription.h"

#include <QHash>
#include <functional>
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

    using Handler = std::function<void(EventArgs&)>;
    // The handler bound to an event of the window ("Form") or of one of its controls, ready to
    // run with the event's arguments; empty when nothing is bound to it.
    virtual Handler handlerFor(const QString& source, Event event) = 0;

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

// Implements the dispatch of a module from its static `bindings` table and, when it has one, its
// static `launches` table (LaunchTable.h), whose rows bind the clicks of their buttons. Both are
// indexed by source and event once for the program's life, so an event finds its handler in one
// look-up without walking them.
template <typename Module> class BoundModule : public WindowModule {
public:
    using WindowModule::WindowModule;

    Handler handlerFor(const QString& source, Event event) override {
        const Row row = resolved().value({source, event});
        if (row.binding)
            return [this, binding = row.binding](EventArgs& args) { call(*binding, args); };
        if (row.launch)
            return [this, launch = row.launch](EventArgs&) {
                qor::launch(services.launcher, *launch);
            };
        return {};
    }

    static std::vector<std::pair<QString, Event>> boundEvents() {
        std::vector<std::pair<QString, Event>> events;
        for (const auto& row : Module::bindings)
            events.emplace_back(row.source, row.event);
        for (const LaunchEntry& row : launchTable())
            if (row.click == LaunchClick::StartsRow)
                events.emplace_back(row.button, Event::Click);
        return events;
    }

private:
    struct Row {
        const Binding<Module>* binding = nullptr;
        const LaunchEntry* launch = nullptr;
    };
    using Resolved = QHash<std::pair<QString, Event>, Row>;

    static const std::vector<LaunchEntry>& launchTable() {
        if constexpr (requires { Module::launches; }) {
            return Module::launches;
        } else {
            static const std::vector<LaunchEntry> none;
            return none;
        }
    }

    // The first row for a source and event wins, as it did when the tables were searched in
    // order; the binding check (tests/unit/tst_bindings.cpp) keeps every event bound once.
    static const Resolved& resolved() {
        static const Resolved table = [] {
            Resolved rows;
            for (const auto& row : Module::bindings)
                if (!rows.contains({row.source, row.event}))
                    rows.insert({row.source, row.event}, Row{&row, nullptr});
            for (const LaunchEntry& row : launchTable())
                if (row.click == LaunchClick::StartsRow &&
                    !rows.contains({row.button, Event::Click}))
                    rows.insert({row.button, Event::Click}, Row{nullptr, &row});
            return rows;
        }();
        return table;
    }

    void call(const Binding<Module>& row, EventArgs& args) {
        auto& self = static_cast<Module&>(*this);
        std::visit(
            [&](auto handler) {
                using H = decltype(handler);
                if constexpr (std::is_same_v<H, typename Binding<Module>::Plain>)
                    (self.*handler)();
                else if constexpr (std::is_same_v<H, typename Binding<Module>::WithFlag>)
                    (self.*handler)(row.event == Event::Unload ? args.cancel : args.keyAscii);
                else
                    (self.*handler)(args.button, args.shift, args.x, args.y);
            },
            row.handler);
    }
};

} // namespace qor
