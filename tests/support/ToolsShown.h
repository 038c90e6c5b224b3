#pragma once

#include "support/Fakes.h"

namespace qor::test {

// The tools window as "NEXT PAGE" leaves it: shown and active, in front of the hidden main
// window. `types` says what the program's other windows are, usually stubs, so that a test sees
// only what the tools window does. The stub log starts empty once the tools window is up.
struct ToolsShown {
    explicit ToolsShown(std::vector<WindowType> types);
    ~ToolsShown();
    ToolsShown(const ToolsShown&) = delete;
    ToolsShown& operator=(const ToolsShown&) = delete;

    TestProgram program;
    LiveWindow* tools = nullptr;
};

} // namespace qor::test
