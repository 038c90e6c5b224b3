#include "windows/tools/Frmprogress.h"

#include "app/WindowRegistry.h"
#include "windows/options/SecretWord.h"
#include "windows/tools/SlideAwayExit.h"

namespace qor {

namespace {

ControlDescription redButton(const char* name, const char* caption, Box box, std::int16_t tab) {
    return {.name = name,
            .kind = ControlKind::Button,
            .caption = caption,
            .box = box,
            .tabIndex = tab,
            .backColor = colors::red,
            .style = ButtonStyle::Graphical};
}

} // namespace

WindowDescription Frmprogress::describe() {
    using enum ControlKind;
    return {.name = "Frmprogress",
            .caption = "Form2",
            .clientWidth = 8265,
            .clientHeight = 4860,
            .backColor = colors::highlight,
            .borderStyle = BorderStyle::None,
            .startUpPosition = StartUpPosition::CenterScreen,
            .controls = {
                redButton("Command1", "Close", {0, 4320, 3495, 495}, 0),
                redButton("Command2", "Defragment", {120, 120, 1215, 375}, 1),
                redButton("Command3", "Scandisk", {1560, 120, 1335, 375}, 2),
                redButton("Command4", "Call SomeOne", {3120, 120, 1215, 375}, 3),
                redButton("Command5", "Explore Windows", {120, 720, 1215, 495}, 4),
                redButton("Command6", "Shut Down Pc", {1560, 720, 1335, 495}, 5),
                redButton("Command7", "Control Panel", {3120, 720, 1215, 495}, 6),
                redButton("Command8", "Paint", {120, 1560, 1215, 495}, 7),
                redButton("Command9", "Media Player", {1560, 1560, 1335, 495}, 8),
                redButton("Command10", "Add And Remove", {3120, 1560, 1215, 495}, 9),
                redButton("Command11", "New Hardware", {120, 2280, 1215, 615}, 10),
                {.name = "Text1",
                 .kind = TextBox,
                 .caption = "Text1",
                 .box = {5040, 1080, 3015, 375},
                 .tabIndex = 11,
                 .backColor = OleColor{0x00FF8080},
                 .passwordChar = QChar(0xBF),
                 .labelledBy = "Label1"},
                {.name = "Command12",
                 .kind = Button,
                 .caption = "Splash Screen",
                 .box = {4560, 4080, 3495, 495},
                 .tabIndex = 12,
                 .backColor = colors::darkGreen,
                 .style = ButtonStyle::Graphical},
                {.name = "Label1",
                 .kind = Label,
                 .caption = "$ecret 0ptions Enter Pase Here",
                 .box = {5040, 600, 3015, 495},
                 .tabIndex = 13,
                 .backColor = colors::windowText,
                 .foreColor = colors::highlightText},
                {.name = "Shape1",
                 .kind = Shape,
                 .box = {1800, 2040, 1815, 1095},
                 .shape = ShapeKind::RoundedSquare},
            }};
}

const std::vector<Binding<Frmprogress>> Frmprogress::bindings = {
    {"Command1", Event::Click, &Frmprogress::Command1_Click},
    {"Command12", Event::Click, &Frmprogress::Command12_Click},
    {"Text1", Event::Change, &Frmprogress::Text1_Change},
    {"Form", Event::MouseMove, &Frmprogress::Form_MouseMove},
    {"Form", Event::Unload, &Frmprogress::Form_Unload},
};

// The ten launch buttons: each row binds its button's click, which starts the row.
const std::vector<LaunchEntry> Frmprogress::launches = {
    {"Command2", "defrag", ShowStyle::Minimized},
    {"Command3", "scandskw", ShowStyle::Minimized},
    {"Command4", "dialer", ShowStyle::Minimized},
    {"Command5", "explorer", ShowStyle::Normal},
    {"Command6", "Rundll32.exe user,exitwindows", ShowStyle::Minimized},
    {"Command7", "control", ShowStyle::Normal},
    {"Command8", "pbrush", ShowStyle::Normal},
    {"Command9", "mplayer", ShowStyle::Normal},
    {"Command10", "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1", ShowStyle::Show},
    {"Command11", "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1", ShowStyle::Show},
};

// Hiding leaves the window loaded with its text and its shape where they are; nothing shows
// it again, and the slide-away exit waits for the platform's unload.
void Frmprogress::Command1_Click() {
    registry.Hide(WindowName::Frmprogress);
}

void Frmprogress::Command12_Click() {
    registry.Show(WindowName::frmSplash1);
}

// The whole text, exactly: no trimming, no case folding. Every change that makes it equal shows
// the one login dialog again.
void Frmprogress::Text1_Change() {
    if (Text1.Text() == secretWord)
        registry.Show(WindowName::frmLogin);
}

// The shape's top-left corner goes to the pointer, top first, unclamped.
void Frmprogress::Form_MouseMove(std::int16_t, std::int16_t, float x, float y) {
    Shape1.setTop(y);
    Shape1.setLeft(x);
}

// The exit never returns: the end operation takes the place of the completed unload, so no
// other window's unload handler runs. The cancel flag stays as it came.
void Frmprogress::Form_Unload(std::int16_t&) {
    const std::unique_ptr<SlideAwaySurface> window = services.slideAway.take(Me);
    runSlideAway(*window);
    registry.End();
}

} // namespace qor
