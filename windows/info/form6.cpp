#include "windows/info/form6.h"

namespace qor {

WindowDescription form6::describe() {
    using enum ControlKind;
    return {.name = "form6",
            .caption = "Screen Saver",
            .clientWidth = 152400,
            .clientHeight = 111150,
            .backColor = colors::buttonText,
            .borderStyle = BorderStyle::None,
            .startUpPosition = StartUpPosition::WindowsDefault,
            .controls = {
                {.name = "Command1",
                 .kind = Button,
                 .caption = "Close",
                 .box = {240, 120, 1335, 255},
                 .tabIndex = 0},
                {.name = "Shape3", .kind = Shape, .box = {3480, 960, 6375, 6855}},
                {.name = "Line2", .kind = Line, .ends = {3000, 4320, 9960, 4320}},
                {.name = "Line1", .kind = Line, .ends = {6120, 1320, 6240, 8040}},
                {.name = "Shape2",
                 .kind = Shape,
                 .box = {960, 480, 11415, 7935},
                 .shape = ShapeKind::RoundedSquare},
                {.name = "Shape1",
                 .kind = Shape,
                 .box = {1800, 240, 245745, 33333},
                 .shape = ShapeKind::RoundedSquare},
                {.name = "Label1",
                 .kind = Label,
                 .caption = "Created By Brannock",
                 .box = {1800, 120, 2175, 255},
                 .tabIndex = 1},
            }};
}

const std::vector<Binding<form6>> form6::bindings = {};

} // namespace qor
