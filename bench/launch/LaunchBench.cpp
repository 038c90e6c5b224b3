// Times a launch as a launch button makes it: a click handler, run by QOR's dispatcher, starts a
// launch table row through the real DesktopProgramLauncher. The floor starts the same program with
// posix_spawnp. Both look the program up on PATH, and the program writes the monotonic clock to
// a named pipe as soon as it runs, so "running" is measured by the program itself.
//
//   qor_bench_launch [ROUNDS]
//   qor_bench_launch --first
//
// Prints one line per round: microseconds from the handler's start to the program running, the
// handler's own duration, and microseconds from posix_spawnp to the program running. The rounds
// follow one launch and one spawn not counted, so they leave out what only the first click in a
// process pays (loading GIO, the first resolution of the program); --first prints that first
// click's line alone, for the runner to start the benchmark once per cold launch.

#include "app/Dispatcher.h"
#include "app/LaunchTable.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"

#include <QApplication>
#include <QDir>
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

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool first = argc > 1 && std::strcmp(argv[1], "--first") == 0;
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

    DesktopProgramLauncher launcher;
    PrintedMessages messages;
    Dispatcher dispatcher(messages, [](int) {});
    const std::vector<LaunchEntry> launches{
        {"Command1", QString::fromLocal8Bit(childName), ShowStyle::Normal}};
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
        const std::int64_t spawned = spawnOnce();
        std::printf("%.1f %.1f %.1f\n", double(launched) / 1000, double(handler) / 1000,
                    double(spawned) / 1000);
    }
    close(pipe);
    return 0;
}
