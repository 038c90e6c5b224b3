// Starts exactly as qor does and ends on the main window's first frame, printing the wall clock
// at that moment in microseconds (see FirstFrame.h).

#include "app/Application.h"
#include "app/WindowRegistry.h"
#include "bench/startup/FirstFrame.h"
#include "ui/LiveWindow.h"

#include <memory>

int main(int argc, char** argv) {
    std::unique_ptr<qor::bench::FirstFrame> firstFrame;
    return qor::runQor(argc, argv, [&](qor::WindowRegistry& registry) {
        if (qor::LiveWindow* main = registry.window(qor::WindowName::Form1))
            firstFrame = std::make_unique<qor::bench::FirstFrame>(main->windowHandle());
    });
}
