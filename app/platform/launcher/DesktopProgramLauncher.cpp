#include "app/platform/launcher/DesktopProgramLauncher.h"

#include "app/CommandLine.h"
#include "app/platform/launcher/ChildReaper.h"
#include "app/platform/launcher/DesktopEntries.h"
#include "app/platform/launcher/UserPrograms.h"
#include "ui/UserTime.h"

#include <QFile>
#include <csignal>
#include <spawn.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace qor {

namespace {

// posix_spawn starts the program in one step and reports a failed exec, where a detached
// QProcess forks twice and waits for the middle process inside the click handler.
bool spawn(const QString& path, const QStringList& arguments) {
    std::vector<QByteArray> words{QFile::encodeName(path)};
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, handled;
    sigemptyset(&none);
    sigemptyset(&handled);
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGCHLD, SIGPIPE})
        sigaddset(&handled, signal);
    // The program starts with no signal blocked and default handling of the ones QOR catches.
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &handled);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int result = ::posix_spawn(&pid, argv[0], nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (result != 0)
        return false;
    reapWhenDone(pid);
    return true;
}

} // namespace

DesktopProgramLauncher::DesktopProgramLauncher() = default;

void DesktopProgramLauncher::start(const QString& commandLine, ShowStyle style) {
    lastShowStyle_ = style;
    if (!resolver_)
        resolver_.emplace(PurposeTable::installed(), UserPrograms::standardFiles(),
                          UserPrograms::userFile());
    const ResolvedProgram program = resolver_->resolve(commandLine);
    if (!program.desktopId.isEmpty())
        return desktopEntries::launch(program.desktopId, program.uris, feedback_, userTime());
    if (!spawn(program.executable, program.arguments))
        throw LaunchFailure(
            ("Cannot start: " + splitCommandLine(commandLine).program).toStdString());
}

} // namespace qor
