#include "app/Application.h"

#include "BuildValues.h"
#include "app/Dispatcher.h"
#include "app/WindowRegistry.h"
#include "app/WindowTable.h"
#include "app/platform/LogOffSignals.h"
#include "app/platform/QtKeystrokeService.h"
#include "app/platform/QtMessageService.h"
#include "app/platform/QtProgramLauncher.h"
#include "app/platform/QtScreenInfo.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace qor {

namespace {

bool unset(const char* variable) {
    return qEnvironmentVariableIsEmpty(variable);
}

// The windows place themselves (centring, the slide-away exit), which a Wayland client cannot
// do, so a Wayland session runs the program through XWayland unless the user chose a platform.
void preferX11() {
    if (unset("QT_QPA_PLATFORM") && !unset("WAYLAND_DISPLAY") && !unset("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

bool hasDisplay() {
    return !unset("QT_QPA_PLATFORM") || !unset("DISPLAY") || !unset("WAYLAND_DISPLAY");
}

} // namespace

int runQor(int argc, char** argv, const StartedHook& started) {
    preferX11();
    if (!hasDisplay()) {
        std::fprintf(stderr, "qor: no display. Start it inside a desktop session, or under a "
                             "virtual X server: xvfb-run -a qor\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(build::applicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(build::version));
    // The program ends when its last loaded window is unloaded; a hidden window counts.
    QApplication::setQuitOnLastWindowClosed(false);
    // The application font stays the user's, for message boxes: QOR's fixed-layout windows carry
    // a font of their own (ui/InterfaceFont.h).

    QtProgramLauncher launcher;
    QtKeystrokeService keystrokes;
    QtScreenInfo screen;
    Dispatcher* dispatcherRef = nullptr;
    WindowRegistry* registryRef = nullptr;
    QtMessageService messages(
        QString::fromUtf8(build::applicationTitle),
        [&] { return dispatcherRef && dispatcherRef->ended(); },
        [&]() -> QWidget* { return registryRef ? registryRef->shownByHandler() : nullptr; });
    Dispatcher dispatcher(messages, [](int status) { QCoreApplication::exit(status); });
    dispatcherRef = &dispatcher;
    Services services{launcher, messages, keystrokes, screen};
    WindowRegistry registry(allWindowTypes(), services, dispatcher);
    registryRef = &registry;
    LogOffSignals logOff([&] { registry.closeAll(); });

    dispatcher.run([&] { registry.Show(WindowName::Form1); });
    if (dispatcher.ended())
        return dispatcher.exitStatus();
    if (started)
        started(registry);
    const int status = QApplication::exec();
    return dispatcher.ended() ? dispatcher.exitStatus() : status;
}

} // namespace qor
