#pragma once

#include "app/WindowModule.h"

namespace qor {

// The screen saver window: borderless and far larger than any screen, so it covers the screen
// from wherever it is placed. Its "Close" button has no handler on purpose; only the platform's
// close command closes the window.
class form6 : public BoundModule<form6> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<form6>> bindings;
};

} // namespace qor
