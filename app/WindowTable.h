#pragma once

#include "app/WindowModule.h"

#include <memory>
#include <utility>
#include <vector>

namespace qor {

// Every window of the program, named as its module is. The names live here, beside the registry
// that windows ask to show each other; the list of the windows themselves is windows/AllWindows.h.
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
