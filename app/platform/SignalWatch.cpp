#include "app/platform/SignalWatch.h"

#include "app/Services.h"

#include <QPointer>
#include <QSocketNotifier>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qor {

namespace {

// Written only by the main thread before a handler that reads them is installed.
int wakeRead = -1;
int wakeWrite = -1;
struct sigaction previousAction[NSIG];
bool handlerInstalled[NSIG];

static_assert(std::atomic_bool::is_always_lock_free, "the signal handler needs a lock-free flag");
std::atomic_bool caught[NSIG];

std::vector<SignalWatch*> watchers;
QSocketNotifier* wakeNotifier = nullptr;

// Whoever handled the signal before (Qt's child watcher takes SIGCHLD where the kernel lacks
// pidfds) still sees it.
void chainToPrevious(int signalNumber, siginfo_t* info, void* context) {
    const struct sigaction& previous = previousAction[signalNumber];
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction)
            previous.sa_sigaction(signalNumber, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN &&
               previous.sa_handler != nullptr) {
        previous.sa_handler(signalNumber);
    }
}

extern "C" void markCaught(int signalNumber, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    caught[signalNumber].store(true);
    const char byte = 0;
    // A full pipe already holds an unread wake-up, and the mark set above is seen with it.
    [[maybe_unused]] const auto written = ::write(wakeWrite, &byte, 1);
    chainToPrevious(signalNumber, info, context);
    errno = savedErrno;
}

void setNonBlocking(int fd) {
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) != 0)
        throw Failure("Cannot set up the signal pipe");
}

// The pipe stays open until the process ends: a handler running on another thread may be about
// to write into it at any moment.
void openWakePipe() {
    if (wakeWrite >= 0)
        return;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        throw Failure("Cannot create the signal pipe");
    setNonBlocking(ends[0]);
    setNonBlocking(ends[1]);
    wakeRead = ends[1];
    wakeWrite = ends[0];
}

void installHandler(int signalNumber) {
    if (handlerInstalled[signalNumber])
        return;
    ::sigaction(signalNumber, nullptr, &previousAction[signalNumber]);
    struct sigaction action = {};
    action.sa_sigaction = markCaught;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_SIGINFO | (signalNumber == SIGCHLD ? SA_NOCLDSTOP : 0);
    if (::sigaction(signalNumber, &action, nullptr) != 0)
        throw Failure("Cannot catch signal " + std::to_string(signalNumber));
    handlerInstalled[signalNumber] = true;
}

void drainWakePipe() {
    char bytes[256];
    while (::read(wakeRead, bytes, sizeof bytes) > 0) {
    }
}

void deliverCaughtSignals() {
    drainWakePipe();
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        if (!handlerInstalled[signalNumber] || !caught[signalNumber].exchange(false))
            continue;
        // A callback may end watches (or run a nested event loop that does): each one is looked
        // up again before it is called.
        std::vector<QPointer<SignalWatch>> current(watchers.begin(), watchers.end());
        for (const QPointer<SignalWatch>& watch : current) {
            if (watch && watch->watches(signalNumber))
                watch->deliver(signalNumber);
        }
    }
}

} // namespace

SignalWatch::SignalWatch(std::initializer_list<int> signalNumbers,
                         std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), signalNumbers(signalNumbers), onSignal(std::move(onSignal)) {
    openWakePipe();
    // What arrived before this watch began is not its business.
    for (int signalNumber : signalNumbers)
        caught[signalNumber].store(false);
    for (int signalNumber : signalNumbers)
        installHandler(signalNumber);
    watchers.push_back(this);
    if (!wakeNotifier) {
        wakeNotifier = new QSocketNotifier(wakeRead, QSocketNotifier::Read);
        connect(wakeNotifier, &QSocketNotifier::activated, wakeNotifier, deliverCaughtSignals);
    }
}

SignalWatch::~SignalWatch() {
    std::erase(watchers, this);
    if (watchers.empty()) {
        delete wakeNotifier;
        wakeNotifier = nullptr;
    }
}

bool SignalWatch::watches(int signalNumber) const {
    return std::ranges::find(signalNumbers, signalNumber) != signalNumbers.end();
}

} // namespace qor
