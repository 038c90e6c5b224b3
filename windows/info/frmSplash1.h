#pragma once

#include "app/WindowModule.h"

namespace qor {

// The splash window: the splash picture alone. Any key that produces a character closes it; the
// mouse does nothing.
class frmSplash1 : public BoundModule<frmSplash1> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<frmSplash1>> bindings;

    void Form_KeyPress(std::int16_t& keyAscii);
};

} // namespace qor
