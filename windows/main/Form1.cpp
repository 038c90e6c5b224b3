#include "windows/main/Form1.h"

#include "app/WindowRegistry.h"
#include "windows/main/DrawingEffects.h"

namespace qor {

WindowDescription Form1::describe() {
    using enum ControlKind;
    return {.name = "Form1",
            .caption = "Vorpex & Dalmor's QOR",
            .clientWidth = 7350,
            .clientHeight = 4620,
            .backColor = colors::highlight,
            .borderStyle = BorderStyle::Sizable,
            .startUpPosition = StartUpPosition::CenterScreen,
            .controls = {
                {.name = "Command1",
                 .kind = Button,
                 .caption = "Calculator",
                 .box = {6240, 120, 855, 855},
                 .tabIndex = 0},
                {.name = "Command2",
                 .kind = Button,
                 .caption = "Win Pop Up",
                 .box = {6240, 1200, 855, 975},
                 .tabIndex = 1},
                {.name = "Command3",
                 .kind = Button,
                 .caption = "NEXT PAGE",
                 .box = {0, 3000, 975, 1575},
                 .tabIndex = 2},
                {.name = "Command4",
                 .kind = Button,
                 .caption = "About",
                 .box = {6240, 2400, 855, 855},
                 .tabIndex = 3},
                {.name = "Command5",
                 .kind = Button,
                 .caption = "NotePad",
                 .box = {6240, 3600, 855, 855},
                 .tabIndex = 4},
                {.name = "Picture1",
                 .kind = PictureBox,
                 .box = {120, 240, 3735, 2655},
                 .tabIndex = 5,
                 .picture = ":/pictures/main_logo.bmp",
                 .pictureText = "Vorpex logo"},
                {.name = "Command6",
                 .kind = Button,
                 .caption = "SPLASH SCREEN",
                 .box = {1200, 3480, 975, 1095},
                 .tabIndex = 6},
                {.name = "Command7",
                 .kind = Button,
                 .caption = "Tips",
                 .box = {1200, 3000, 2415, 255},
                 .tabIndex = 7},
                {.name = "Command8",
                 .kind = Button,
                 .caption = "Click here To Close My Proggy",
                 .box = {1200, 3240, 2415, 255},
                 .tabIndex = 8},
                {.name = "Command9",
                 .kind = Button,
                 .caption = "Freaky~ Hypo~",
                 .box = {4080, 840, 1935, 375},
                 .tabIndex = 9},
                {.name = "Shape1",
                 .kind = Shape,
                 .box = {3600, 3360, 1335, 735},
                 .shape = ShapeKind::Circle},
            }};
}

const std::vector<Binding<Form1>> Form1::bindings = {
    {"Command3", Event::Click, &Form1::Command3_Click},
    {"Command4", Event::Click, &Form1::Command4_Click},
    {"Command6", Event::Click, &Form1::Command6_Click},
    {"Command7", Event::Click, &Form1::Command7_Click},
    {"Command8", Event::Click, &Form1::Command8_Click},
    {"Command9", Event::Click, &Form1::Command9_Click},
    {"Form", Event::MouseMove, &Form1::Form_MouseMove},
    {"Form", Event::MouseDown, &Form1::Form_MouseDown},
    {"Form", Event::Unload, &Form1::Form_Unload},
};

// A click on each of the first three buttons starts its row; the close sequence
// (Command8_Click) starts the last row between its other steps.
const std::vector<LaunchEntry> Form1::launches = {
    {"Command1", "C:\\WINDOWS\\CALC.EXE", ShowStyle::Normal},
    {"Command2", "C:\\WINDOWS\\winpopup.exe", ShowStyle::Normal},
    {"Command5", "notepad.exe", ShowStyle::Normal},
    {"Command8", "Rundll32.exe user,exitwindows", ShowStyle::Minimized, LaunchClick::RunsHandler},
};

void Form1::Command3_Click() {
    registry.Show(WindowName::Frmprogress);
    registry.Hide(WindowName::Form1);
}

void Form1::Command4_Click() {
    registry.Show(WindowName::frmSplash);
}

void Form1::Command6_Click() {
    registry.Show(WindowName::frmSplash1);
}

void Form1::Command7_Click() {
    registry.Show(WindowName::Form4);
}

// The close sequence: the notice first, then the exit command line, then the main window goes,
// its unload handler running inside the Unload.
void Form1::Command8_Click() {
    registry.Show(WindowName::Form5);
    launch(services.launcher, launches, "Command8");
    registry.Unload(WindowName::Form1);
}

void Form1::Command9_Click() {
    registry.Show(WindowName::form6);
}

// The button and shift states do not matter: the trail is drawn with or without a button held.
void Form1::Form_MouseMove(std::int16_t, std::int16_t, float x, float y) {
    Me.Circle(x, y, pointerCircleRadius);
}

// Any button. Several radii round to the same ring of pixels; the last drawn there decides its
// grey, so the ripple runs from dark grey inside to white at the rim.
void Form1::Form_MouseDown(std::int16_t, std::int16_t, float x, float y) {
    for (int radius = firstRippleRadius; radius <= lastRippleRadius; radius += rippleRadiusStep)
        Me.Circle(x, y, static_cast<float>(radius), grey(radius));
}

// Runs on every unload of the window, by the close sequence or the close box; the cancel flag
// stays 0, so the window goes once the last dot is drawn. No other event is handled meanwhile.
void Form1::Form_Unload(std::int16_t&) {
    Me.setWindowStateValue(starFieldWindowState);
    Me.setDrawWidth(starFieldPenWidth);
    drawStarField(Me, *random);
}

} // namespace qor
