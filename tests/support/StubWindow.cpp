#include "support/StubWindow.h"

#include "support/Fakes.h"

namespace qor::test {

WindowDescription StubWindow::describe() {
    return {.name = "Stub",
            .caption = "Stub",
            .clientWidth = 3000,
            .clientHeight = 1500,
            .startUpPosition = StartUpPosition::CenterScreen,
            .controls = {
                {.name = "Text1",
                 .kind = ControlKind::TextBox,
                 .caption = "described",
                 .box = {100, 100, 2000, 300},
                 .tabIndex = 0},
                {.name = "Command1",
                 .kind = ControlKind::Button,
                 .caption = "Go",
                 .box = {100, 600, 1000, 400},
                 .tabIndex = 1},
            }};
}

const std::vector<Binding<StubWindow>> StubWindow::bindings = {
    {"Form", Event::Load, &StubWindow::Form_Load},
    {"Form", Event::Unload, &StubWindow::Form_Unload},
    {"Form", Event::MouseMove, &StubWindow::Form_MouseMove},
    {"Command1", Event::Click, &StubWindow::Command1_Click},
    {"Text1", Event::Change, &StubWindow::Text1_Change},
};

void StubWindow::Form_Load() {
    log << QStringLiteral("load visible=%1").arg(Me.isVisible());
}

void StubWindow::Form_Unload(std::int16_t& cancel) {
    log << QStringLiteral("unload %1").arg(cancel);
}

void StubWindow::Form_MouseMove(std::int16_t, std::int16_t, float, float) {
    log << "move";
}

void StubWindow::Command1_Click() {
    log << "click";
    if (onClick)
        onClick(*this);
    log << "click done";
}

void StubWindow::Text1_Change() {
    log << "change";
}

void StubWindow::reset() {
    log.clear();
    onClick = nullptr;
}

std::vector<WindowType> withStubs(std::vector<WindowType> types,
                                  std::initializer_list<WindowName> names) {
    for (WindowName name : names)
        types = withWindow(std::move(types), windowType<StubWindow>(name));
    return types;
}

} // namespace qor::test
