#include "windows/info/Form4.h"

#include "BuildValues.h"

namespace qor {

WindowDescription Form4::describe() {
    using enum ControlKind;
    return {.name = "Form4",
            .caption = "VORPEX TIP",
            .clientWidth = 6270,
            .clientHeight = 3780,
            .backColor = colors::highlight,
            .borderStyle = BorderStyle::Sizable,
            .startUpPosition = StartUpPosition::WindowsDefault,
            .controls = {
                {.name = "Text1",
                 .kind = TextBox,
                 .caption = "Did You Know That  You Can Find The Windows Reg. Code?      ",
                 .box = {480, 720, 4935, 375},
                 .tabIndex = 0},
                {.name = "Line1", .kind = Line, .ends = {360, 2640, 5760, 3480}},
                {.name = "Label1",
                 .kind = Label,
                 .caption = QStringLiteral("E-mail Me To Find Out More... ") +
                            QString::fromUtf8(build::contactAddress),
                 .box = {600, 1440, 5175, 975},
                 .tabIndex = 1,
                 .backColor = OleColor{0x00000080}}, // dark red
            }};
}

const std::vector<Binding<Form4>> Form4::bindings = {};

} // namespace qor
