#pragma once

#include "app/WindowModule.h"

namespace qor {

// The about window: the about picture and "OK". It closes on "OK" or on any key that produces a
// character, whichever control has the focus.
class frmSplash : public BoundModule<frmSplash> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<frmSplash>> bindings;

    void Command1_Click();
    void Form_KeyPress(std::int16_t& keyAscii);
};

} // namespace qor
