#include "windows/info/frmSplash.h"

#include "app/WindowRegistry.h"

namespace qor {

WindowDescription frmSplash::describe() {
    using enum ControlKind;
    return {.name = "frmSplash",
            .caption = "",
            .clientWidth = 8520,
            .clientHeight = 5085,
            .backColor = colors::buttonText,
            .borderStyle = BorderStyle::FixedDialog,
            .startUpPosition = StartUpPosition::CenterScreen,
            .keyPreview = true,
            .controls = {
                {.name = "Picture1",
                 .kind = PictureBox,
                 .box = {720, 480, 6495, 1815},
                 .tabIndex = 0,
                 .picture = ":/pictures/about.bmp",
                 .pictureText = "VORPEX&DALMOR'S QOR"},
                {.name = "Command1",
                 .kind = Button,
                 .caption = "OK",
                 .box = {2880, 4440, 2295, 615},
                 .tabIndex = 1},
            }};
}

const std::vector<Binding<frmSplash>> frmSplash::bindings = {
    {"Command1", Event::Click, &frmSplash::Command1_Click},
    {formSource, Event::KeyPress, &frmSplash::Form_KeyPress},
};

void frmSplash::Command1_Click() {
    registry.Unload(WindowName::frmSplash);
}

// Which character it was does not matter: any one closes the window.
void frmSplash::Form_KeyPress(std::int16_t&) {
    registry.Unload(WindowName::frmSplash);
}

} // namespace qor
