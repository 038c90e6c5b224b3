#pragma once

#include "app/WindowModule.h"

namespace qor {

// The login dialog that guards the options window. Only the password decides; the user name is
// there to be typed and is never read.
class frmLogin : public BoundModule<frmLogin> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<frmLogin>> bindings;

    // The outcome of the last "OK" or "Cancel"; nothing in the program reads it.
    bool LoginSucceeded = false;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    TextBox& txtPassword = Me.textBox("txtPassword");
};

} // namespace qor
