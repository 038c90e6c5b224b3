#pragma once

#include "app/WindowModule.h"

namespace qor {

// The options window behind the login dialog: one button that opens the data source dialog.
class Form3 : public BoundModule<Form3> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<Form3>> bindings;

    void Command1_Click();
};

} // namespace qor
