#include "app/platform/LogOffSignals.h"

#include "app/Services.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace qor {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void writeSignalByte(int) {
    const char byte = 1;
    // Nothing else is safe inside a signal handler.
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

LogOffSignals::LogOffSignals(std::function<void()> onLogOff) : onLogOff(std::move(onLogOff)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        throw Failure("Cannot create the signal pipe");
    notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
        if (this->onLogOff)
            this->onLogOff();
    });
    struct sigaction action = {};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

LogOffSignals::~LogOffSignals() {
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::signal(signal, SIG_DFL);
    delete notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

} // namespace qor
