#pragma once

#include "app/WindowTable.h"

#include <QStringList>
#include <functional>

namespace qor::test {

// Stands in for any window of the program, so that a test sees only what the code under test
// does to it: a text box and a button, and handlers that write what happens to them into one
// shared log ("load visible=0", "unload 0", "click" … "click done", "change", "move"). A test can
// give the click more to do.
class StubWindow : public BoundModule<StubWindow> {
public:
    using BoundModule::BoundModule;
    static inline QStringList log;
    static inline std::function<void(StubWindow&)> onClick;

    static WindowDescription describe();
    static const std::vector<Binding<StubWindow>> bindings;

    void Form_Load();
    void Form_Unload(std::int16_t& cancel);
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Command1_Click();
    void Text1_Change();

    WindowRegistry& programRegistry() { return registry; }
    Services& programServices() { return services; }

    // Forgets what earlier tests logged and gave the click to do.
    static void reset();
};

// The program's windows with a stub in place of each named one.
std::vector<WindowType> withStubs(std::vector<WindowType> types,
                                  std::initializer_list<WindowName> names);

} // namespace qor::test
