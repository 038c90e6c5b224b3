// Starts exactly as qor does and ends on the main window's first frame, printing the wall clock
// at that moment in microseconds (see FirstFrame.h).
//
//   qor_bench_startup [--stay] [WINDOW]
//
// With WINDOW (a window's name, e.g. form6) that window is shown too, once the main window is,
// and the program ends on its first frame instead: the peak memory of the run is then that of
// the program with that window shown. With --stay the program goes on as qor does.

#include "app/Application.h"
#include "app/WindowRegistry.h"
#include "bench/startup/FirstFrame.h"
#include "ui/LiveWindow.h"
#include "windows/AllWindows.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

std::optional<qor::WindowName> windowNamed(const char* name) {
    for (const qor::WindowType& type : qor::allWindowTypes())
        if (type.describe().name == QLatin1String(name))
            return type.name;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    int next = 1;
    const bool stay = next < argc && std::strcmp(argv[next], "--stay") == 0;
    next += stay;
    std::optional<qor::WindowName> shown = qor::WindowName::Form1;
    if (next < argc && !(shown = windowNamed(argv[next]))) {
        std::fprintf(stderr, "%s: no window named %s\n", argv[0], argv[next]);
        return 2;
    }
    std::unique_ptr<qor::bench::FirstFrame> firstFrame;
    int qtArgc = 1;
    return qor::runQor(qtArgc, argv, qor::allWindowTypes(), [&](qor::WindowRegistry& registry) {
        if (*shown != qor::WindowName::Form1)
            registry.Show(*shown);
        if (qor::LiveWindow* window = registry.window(*shown); window && !stay)
            firstFrame = std::make_unique<qor::bench::FirstFrame>(window->windowHandle());
    });
}
