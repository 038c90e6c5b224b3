#include "support/ToolsShown.h"

#include "support/StubWindow.h"

#include <QTest>

namespace qor::test {

ToolsShown::ToolsShown(std::vector<WindowType> types) : program(std::move(types)) {
    program.show(WindowName::Form1);
    program.show(WindowName::Frmprogress);
    program.event([&] { program.registry.Hide(WindowName::Form1); });
    tools = &program.window(WindowName::Frmprogress);
    QVERIFY2(QTest::qWaitForWindowActive(tools), "the tools window did not become active");
    StubWindow::log.clear();
}

ToolsShown::~ToolsShown() {
    if (!program.ended())
        program.event([&] { program.registry.End(); });
}

} // namespace qor::test
