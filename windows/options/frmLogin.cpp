#include "windows/options/frmLogin.h"

#include "app/WindowRegistry.h"
#include "windows/options/SecretWord.h"

namespace qor {

WindowDescription frmLogin::describe() {
    using enum ControlKind;
    return {
        .name = "frmLogin",
        .caption = "Login To Brannocks Secret Options",
        .clientWidth = 3750,
        .clientHeight = 1545,
        .backColor = colors::highlight,
        .borderStyle = BorderStyle::FixedDialog,
        .startUpPosition = StartUpPosition::CenterScreen,
        .controls = {
            {.name = "lblLabels",
             .kind = Label,
             .index = 0,
             .caption = "&User Name:",
             .box = {105, 150, 1080, 270},
             .tabIndex = 0},
            {.name = "txtUserName", .kind = TextBox, .box = {1290, 135, 2325, 345}, .tabIndex = 1},
            {.name = "lblLabels",
             .kind = Label,
             .index = 1,
             .caption = "&Password:",
             .box = {105, 540, 1080, 270},
             .tabIndex = 2},
            {.name = "txtPassword",
             .kind = TextBox,
             .box = {1290, 525, 2325, 345},
             .tabIndex = 3,
             .passwordChar = u'*'},
            {.name = "cmdOK",
             .kind = Button,
             .caption = "OK",
             .box = {495, 1020, 1140, 390},
             .tabIndex = 4,
             .backColor = colors::darkGreen,
             .style = ButtonStyle::Graphical,
             .isDefault = true},
            {.name = "cmdCancel",
             .kind = Button,
             .caption = "Cancel",
             .box = {2100, 1020, 1140, 390},
             .tabIndex = 5,
             .backColor = colors::darkGreen,
             .style = ButtonStyle::Graphical,
             .isCancel = true},
        }};
}

const std::vector<Binding<frmLogin>> frmLogin::bindings = {
    {"cmdOK", Event::Click, &frmLogin::cmdOK_Click},
    {"cmdCancel", Event::Click, &frmLogin::cmdCancel_Click},
};

// The first box comes on every press, before the password is even looked at. After a wrong
// password the Home and Shift+End keys are only queued: they reach the password field once this
// handler has returned and select all of it, so the next keystroke replaces the whole attempt.
void frmLogin::cmdOK_Click() {
    services.messages.show("Did you get it right?", MessageStyle::Stop, "Lets See");
    if (txtPassword.Text() == secretWord) {
        services.messages.show("Yep, Guess So!", MessageStyle::Stop, "Way 2 Go!");
        registry.Show(WindowName::Form3);
        LoginSucceeded = true;
        registry.Hide(WindowName::frmLogin);
    } else {
        services.messages.show("Invalid Password, try again!", MessageStyle::Ok, "Login");
        txtPassword.SetFocus();
        services.keystrokes.send("{Home}+{End}");
    }
}

void frmLogin::cmdCancel_Click() {
    LoginSucceeded = false;
    registry.Hide(WindowName::frmLogin);
}

} // namespace qor
