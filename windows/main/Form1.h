#pragma once

#include "app/LaunchTable.h"
#include "app/WindowModule.h"

namespace qor {

// The main window: a launcher page, its window buttons and its close sequence.
class Form1 : public BoundModule<Form1> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<Form1>> bindings;
    static const std::vector<LaunchEntry> launches;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
};

} // namespace qor
