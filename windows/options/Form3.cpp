#include "windows/options/Form3.h"

#include "app/WindowRegistry.h"

namespace qor {

WindowDescription Form3::describe() {
    return {.name = "Form3",
            .caption = "Form3",
            .clientWidth = 8925,
            .clientHeight = 5355,
            .backColor = OleColor{0x00404000},
            .borderStyle = BorderStyle::Sizable,
            .startUpPosition = StartUpPosition::WindowsDefault,
            .controls = {
                {.name = "Command1",
                 .kind = ControlKind::Button,
                 .caption = "Connect To A Dsl Connection",
                 .box = {240, 240, 8295, 735},
                 .tabIndex = 0},
            }};
}

const std::vector<Binding<Form3>> Form3::bindings = {
    {"Command1", Event::Click, &Form3::Command1_Click},
};

// The data source dialog is already on screen when the notice comes up, so the notice stands
// over it until the user closes it.
void Form3::Command1_Click() {
    registry.Show(WindowName::frmODBCLogon);
    services.messages.show("These Are Being Fixed", MessageStyle::Stop, "Error Info");
}

} // namespace qor
