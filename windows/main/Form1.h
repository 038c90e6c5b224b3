#pragma once

#include "app/LaunchTable.h"
#include "app/WindowModule.h"
#include "windows/main/RandomSource.h"

#include <cstdint>
#include <memory>

namespace qor {

// The main window: a launcher page, its window buttons, its close sequence, and the drawings
// that follow the pointer and fill the window as it goes.
class Form1 : public BoundModule<Form1> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<Form1>> bindings;
    static const std::vector<LaunchEntry> launches;

    void Command3_Click();
    void Command4_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Form_Unload(std::int16_t& cancel);

    // The star field's draws come from a fixed sequence unless a test scripts them.
    void useRandomSource(std::unique_ptr<RandomSource> source) { random = std::move(source); }

private:
    std::unique_ptr<RandomSource> random = std::make_unique<XorshiftRandomSource>();
};

} // namespace qor
