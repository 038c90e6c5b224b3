#include "windows/info/frmSplash1.h"

#include "app/WindowRegistry.h"

namespace qor {

WindowDescription frmSplash1::describe() {
    using enum ControlKind;
    return {.name = "frmSplash1",
            .caption = "",
            .clientWidth = 7620,
            .clientHeight = 4290,
            .backColor = OleColor{0x0000C000}, // green
            .borderStyle = BorderStyle::FixedDialog,
            .startUpPosition = StartUpPosition::CenterScreen,
            .keyPreview = true,
            .controls = {
                {.name = "Picture1",
                 .kind = PictureBox,
                 .box = {240, 360, 7215, 2295},
                 .tabIndex = 0,
                 .picture = ":/pictures/splash.bmp",
                 .pictureText = "Dalmor&Vorpex 1.5.0"},
            }};
}

const std::vector<Binding<frmSplash1>> frmSplash1::bindings = {
    {formSource, Event::KeyPress, &frmSplash1::Form_KeyPress},
};

// Which character it was does not matter: any one closes the window.
void frmSplash1::Form_KeyPress(std::int16_t&) {
    registry.Unload(WindowName::frmSplash1);
}

} // namespace qor
