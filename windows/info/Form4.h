#pragma once

#include "app/WindowModule.h"

namespace qor {

// The tip window: a tip in an editable text box and a contact line. It has no code; edits last
// until the window is unloaded.
class Form4 : public BoundModule<Form4> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<Form4>> bindings;
};

} // namespace qor
