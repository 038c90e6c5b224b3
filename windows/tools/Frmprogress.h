#pragma once

#include "app/LaunchTable.h"
#include "app/WindowModule.h"

namespace qor {

// The second page: ten launch buttons, "Close", "Splash Screen", a shape that follows the
// pointer, the masked field that opens the login dialog, and the slide-away exit on unload.
class Frmprogress : public BoundModule<Frmprogress> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<Frmprogress>> bindings;
    static const std::vector<LaunchEntry> launches;

    void Command1_Click();
    void Command12_Click();
    void Text1_Change();
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Form_Unload(std::int16_t& cancel);

private:
    TextBox& Text1 = Me.textBox("Text1");
    LiveShape& Shape1 = Me.shape("Shape1");
};

} // namespace qor
