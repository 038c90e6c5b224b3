#pragma once

#include "app/WindowModule.h"

namespace qor {

// The closing notice that the main window's close sequence leaves on the screen. It has no code.
class Form5 : public BoundModule<Form5> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<Form5>> bindings;
};

} // namespace qor
