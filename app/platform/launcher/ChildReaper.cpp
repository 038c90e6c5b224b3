#include "app/platform/launcher/ChildReaper.h"

#include "app/platform/SignalWatch.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qor {

namespace {

bool reapThroughPidfd(pid_t pid) {
    const int fd = int(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0)
        return false;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, pid, fd] {
        ::waitpid(pid, nullptr, WNOHANG);
        notifier->setEnabled(false);
        ::close(fd);
        notifier->deleteLater();
    });
    return true;
}

// Collects only the programs it was given: any other child (a QProcess, say) is its owner's.
class ChildSignalReaper : public QObject {
public:
    explicit ChildSignalReaper(QObject* parent) : QObject(parent) {}

    static ChildSignalReaper& instance() {
        static QPointer<ChildSignalReaper> reaper;
        if (!reaper)
            reaper = new ChildSignalReaper(QCoreApplication::instance());
        return *reaper;
    }

    // A program that ended before SIGCHLD was caught is collected here and now.
    void watch(pid_t pid) {
        running.push_back(pid);
        collectEnded();
    }

private:
    void collectEnded() {
        std::erase_if(running, [](pid_t pid) {
            pid_t collected;
            do
                collected = ::waitpid(pid, nullptr, WNOHANG);
            while (collected < 0 && errno == EINTR);
            return collected != 0;
        });
    }

    std::vector<pid_t> running;
    SignalWatch childEnded{{SIGCHLD}, [this](int) { collectEnded(); }, this};
};

} // namespace

void reapWhenDone(pid_t pid) {
    if (!reapThroughPidfd(pid))
        ChildSignalReaper::instance().watch(pid);
}

} // namespace qor
