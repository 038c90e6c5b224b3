#include "windows/info/Form5.h"

namespace qor {

WindowDescription Form5::describe() {
    using enum ControlKind;
    return {.name = "Form5",
            .caption = "CLOSING IN PROCESS",
            .clientWidth = 7590,
            .clientHeight = 1380,
            .backColor = OleColor{0x000000C0}, // red
            .borderStyle = BorderStyle::Sizable,
            .startUpPosition = StartUpPosition::WindowsDefault,
            .controls = {
                {.name = "Label1",
                 .kind = Label,
                 .caption = "WHY DO YOU WANT TO SHUT DOWN YOUR PC? OK THEN!",
                 .box = {0, 120, 7455, 1095},
                 .tabIndex = 0,
                 .backColor = OleColor{0x00C00000}, // blue
                 .foreColor = colors::highlightText},
            }};
}

const std::vector<Binding<Form5>> Form5::bindings = {};

} // namespace qor
