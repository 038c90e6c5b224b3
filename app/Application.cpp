#include "app/Application.h"

#include "BuildValues.h"
#include "app/ApplicationIcon.h"
#include "app/Dispatcher.h"
#include "app/DisplayChoice.h"
#include "app/QtTranslations.h"
#include "app/StartOptions.h"
#include "app/WindowRegistry.h"
#include "app/platform/DisplayProbe.h"
#include "app/platform/LogOffSignals.h"
#include "app/platform/PlatformSlideAwaySurfaceSource.h"
#include "app/platform/QtKeystrokeService.h"
#include "app/platform/QtMessageService.h"
#include "app/platform/QtScreenInfo.h"
#include "app/platform/UnixOdbcDriverManager.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"

#include <QApplication>
#include <cstdio>
#include <vector>

namespace qor {

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The program's arguments with the chosen platform added, kept alive as long as the application
// object that reads them. The platform travels as an argument, not through QT_QPA_PLATFORM,
// so that programs started from QOR inherit the environment QOR itself was started with.
class QtArguments {
public:
    QtArguments(int argc, char** argv, const QString& platform)
        : platformArguments{QByteArrayLiteral("-platform"), platform.toLocal8Bit()} {
        pointers.assign(argv, argv + argc);
        if (!platform.isEmpty() && !pointers.empty())
            pointers.insert(pointers.begin() + 1,
                            {platformArguments[0].data(), platformArguments[1].data()});
        count = static_cast<int>(pointers.size());
        pointers.push_back(nullptr);
    }
    int& argc() { return count; }
    char** argv() { return pointers.data(); }

private:
    QByteArray platformArguments[2];
    std::vector<char*> pointers;
    int count = 0;
};

int finishWith(const QString& text, std::FILE* stream, int status) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

// The platform services and the registry of windows that uses them, built in this order. The
// message box asks the registry built after it whether the program has ended and which window a
// handler showed; only handlers open the box, and they run once everything here is built.
class Program {
public:
    explicit Program(std::vector<WindowType> windows)
        : registry(std::move(windows), services,
                   [](int status) { QCoreApplication::exit(status); }) {}

    DesktopProgramLauncher launcher;
    QtKeystrokeService keystrokes;
    QtScreenInfo screen;
    PlatformSlideAwaySurfaceSource slideAway{screen};
    UnixOdbcDriverManager driverManager;
    QtMessageService messages{QString::fromUtf8(build::applicationTitle),
                              [this] { return registry.dispatcher().ended(); },
                              [this]() -> QWidget* { return registry.shownByHandler(); }};
    Services services{launcher, messages, keystrokes, screen, driverManager, slideAway};
    WindowRegistry registry;
};

} // namespace

int runQor(int argc, char** argv, std::vector<WindowType> windows, const StartedHook& started) {
    const StartOptions options = parseStartOptions(argumentsOf(argc, argv));
    switch (options.action) {
    case StartOptions::Action::Help:
    case StartOptions::Action::Version:
        return finishWith(options.text, stdout, 0);
    case StartOptions::Action::Error:
        return finishWith(options.text, stderr, 2);
    case StartOptions::Action::Run:
        break;
    }
    const DisplayChoice display = chooseDisplay(probeDisplay(options));
    if (!display.error.isEmpty())
        return finishWith(display.error, stderr, 1);
    if (!display.notice.isEmpty())
        std::fputs(display.notice.toLocal8Bit().constData(), stderr);

    QtArguments qtArguments(argc, argv, display.platform);
    QApplication application(qtArguments.argc(), qtArguments.argv());
    QApplication::setApplicationName(QString::fromUtf8(build::applicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(build::version));
    setApplicationIconOnceRunning();
    installQtTranslations();
    // The program ends when its last loaded window is unloaded; a hidden window counts.
    QApplication::setQuitOnLastWindowClosed(false);
    // The application font stays the user's, for message boxes: QOR's fixed-layout windows carry
    // a font of their own (ui/InterfaceFont.h).

    Program program(std::move(windows));
    WindowRegistry& registry = program.registry;
    Dispatcher& dispatcher = registry.dispatcher();
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
