// Times a launch as a launch button makes it: a click handler, run by QOR's dispatcher, starts a
// launch table row through the real DesktopProgramLauncher. The floor starts the same program with
// posix_spawnp. Both look the program up on PATH, and the program writes the monotonic clock to
// a named pipe as soon as it runs, so "running" is measured by the program itself.
//
//   qor_bench_launch [ROUNDS]
//   qor_bench_launch --first
//   qor_bench_launch --categories COUNT
//   qor_bench_launch --search COUNT
//
// Prints one line per round: microseconds from the handler's start to the program running, the
// handler's own duration, and microseconds from posix_spawnp to the program running. The rounds
// follow one launch and one spawn not counted, so they leave out what only the first click in a
// process pays (loading GIO, the first resolution of the program); --first prints that first
// click's line alone, for the runner to start the benchmark once per cold launch.
//
// --categories and --search time a first click that finds its program through the desktop
// entries: COUNT entries are written into a private XDG data folder, one of them the calculator
// that the click (the calculator button's command line) finds, by its Calculator category or,
// with --search, only through GIO's desktop search (an entry shaped like galculator's). The floor
// is qor_desktop_launch_floor, which makes the same GIO calls in a process of its own, started
// after the click. One line: the click's microseconds to the program running, the handler's own
// duration, and the floor's microseconds from its spawn to the program running.

#include "app/Dispatcher.h"
#include "app/LaunchTable.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace qor;

namespace {

class PrintedMessages : public MessageService {
public:
    void show(const QString& prompt, MessageStyle, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
    }
};

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Blocks until the launched program reports that it runs; returns its clock.
std::int64_t childRunning(int pipe) {
    std::int64_t ns = 0;
    std::size_t got = 0;
    while (got < sizeof ns) {
        const ssize_t n = read(pipe, reinterpret_cast<char*>(&ns) + got, sizeof ns - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            std::fprintf(stderr, "the launched program did not report\n");
            std::exit(1);
        }
        got += std::size_t(n);
    }
    return ns;
}

// A private desktop of `count` applications, one of them the calculator: a plain calculator
// entry, or one that only the search finds. No entry asks for startup notification.
bool writeDesktop(const QDir& dir, int count, bool searchOnly, const QString& child) {
    const QString applications = dir.filePath("data/applications");
    if (!QDir().mkpath(applications) || !QDir().mkpath(dir.filePath("config")))
        return false;
    const auto write = [&](const QString& id, const QString& lines) {
        QFile file(applications + '/' + id);
        return file.open(QIODevice::WriteOnly) &&
               file.write(QStringLiteral("[Desktop Entry]\nType=Application\nExec=%1\n%2")
                              .arg(child, lines)
                              .toUtf8()) > 0;
    };
    for (int i = 1; i < count; ++i) {
        if (!write(QStringLiteral("org.example.Tool%1.desktop").arg(i, 4, 10, QChar('0')),
                   QStringLiteral("Name=Tool %1\nGenericName=Tool\nComment=Does task %1\n"
                                  "Keywords=tool;task;\nCategories=Utility;\n")
                       .arg(i)))
            return false;
    }
    return searchOnly ? write("galculator.desktop",
                              "Name=Galculator\nComment=Perform simple and scientific "
                              "calculations\nKeywords=calculation;\nCategories=Utility;\n")
                      : write("org.example.Calculator.desktop",
                              "Name=Calculator\nCategories=Utility;Calculator;\n");
}

// Runs the floor with the same environment; returns its microseconds from the moment it is
// spawned to the program running. The floor is timed as a whole program, as QOR's first click is
// timed with everything it loads: it pays for loading GIO (the dynamic linker does it before its
// main()) as QOR's click pays for loading it on first use.
double runFloor(bool searchOnly) {
    int output[2];
    if (pipe(output) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    posix_spawn_file_actions_addclose(&actions, output[1]);
    char floorPath[] = QOR_DESKTOP_LAUNCH_FLOOR;
    char mode[] = "categories", searchMode[] = "search";
    char* args[] = {floorPath, searchOnly ? searchMode : mode, nullptr};
    pid_t pid = 0;
    const std::int64_t spawned = monotonicNs();
    const int result = posix_spawn(&pid, floorPath, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    FILE* floor = result == 0 ? fdopen(output[0], "r") : nullptr;
    double fromMain = -1;
    long long running = 0;
    int status = -1;
    const bool read = floor && std::fscanf(floor, "%lf %lld", &fromMain, &running) == 2;
    if (floor)
        std::fclose(floor);
    if (result == 0)
        waitpid(pid, &status, 0);
    if (!read || status != 0) {
        std::fprintf(stderr, "the floor failed\n");
        std::exit(1);
    }
    return double(running - spawned) / 1000;
}

} // namespace

int main(int argc, char** argv) {
    const bool categories = argc > 2 && std::strcmp(argv[1], "--categories") == 0;
    const bool searchOnly = argc > 2 && std::strcmp(argv[1], "--search") == 0;
    const bool desktop = categories || searchOnly;
    const bool first = desktop || (argc > 1 && std::strcmp(argv[1], "--first") == 0);
    const int rounds = first ? 1 : argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    const QString child = QStringLiteral(QOR_LAUNCH_CHILD);
    const QString childDir = QFileInfo(child).absolutePath();
    const QByteArray childName = QFileInfo(child).fileName().toLocal8Bit();
    qputenv("PATH", (childDir + ':' + qEnvironmentVariable("PATH")).toLocal8Bit());

    QTemporaryDir dir;
    const QByteArray fifo = QDir(dir.path()).filePath("ready").toLocal8Bit();
    if (!dir.isValid() || mkfifo(fifo.constData(), 0600) != 0) {
        std::perror("mkfifo");
        return 1;
    }
    qputenv("QOR_BENCH_READY", fifo);
    // Open for both reading and writing, so that neither side's open waits for the other.
    const int pipe = open(fifo.constData(), O_RDWR);
    if (pipe < 0) {
        std::perror("open");
        return 1;
    }

    if (desktop) {
        // Set before anything reads them: GLib reads the XDG folders once per process.
        if (!writeDesktop(QDir(dir.path()), std::max(1, std::atoi(argv[2])), searchOnly, child)) {
            std::fprintf(stderr, "cannot write the desktop entries\n");
            return 1;
        }
        qputenv("XDG_DATA_HOME", QDir(dir.path()).filePath("data").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", QDir(dir.path()).filePath("no-data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", QDir(dir.path()).filePath("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", QDir(dir.path()).filePath("no-config").toLocal8Bit());
    }

    QApplication application(argc, argv);
    DesktopProgramLauncher launcher;
    PrintedMessages messages;
    Dispatcher dispatcher(messages, [](int) {});
    const std::vector<LaunchEntry> launches{
        {"Command1",
         desktop ? QStringLiteral("C:\\WINDOWS\\CALC.EXE") : QString::fromLocal8Bit(childName),
         ShowStyle::Normal}};
    QPushButton button("Command1");
    std::int64_t clicked = 0, returned = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        dispatcher.run([&] {
            clicked = monotonicNs();
            launch(launcher, launches, "Command1");
            returned = monotonicNs();
        });
    });

    const auto launchOnce = [&] {
        button.click();
        const std::int64_t running = childRunning(pipe);
        return std::pair{running - clicked, returned - clicked};
    };
    const auto spawnOnce = [&] {
        char* const args[] = {const_cast<char*>(childName.constData()), nullptr};
        pid_t pid = 0;
        const std::int64_t start = monotonicNs();
        if (posix_spawnp(&pid, childName.constData(), nullptr, nullptr, args, environ) != 0) {
            std::perror("posix_spawnp");
            std::exit(1);
        }
        const std::int64_t running = childRunning(pipe);
        waitpid(pid, nullptr, 0);
        return running - start;
    };

    if (!first) {
        launchOnce();
        spawnOnce();
    }
    for (int round = 0; round < rounds; ++round) {
        const auto [launched, handler] = launchOnce();
        if (desktop) {
            std::printf("%.1f %.1f %.1f\n", double(launched) / 1000, double(handler) / 1000,
                        runFloor(searchOnly));
            continue;
        }
        const std::int64_t spawned = spawnOnce();
        std::printf("%.1f %.1f %.1f\n", double(launched) / 1000, double(handler) / 1000,
                    double(spawned) / 1000);
    }
    close(pipe);
    return 0;
}
