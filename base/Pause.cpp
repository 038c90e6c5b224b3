#include "base/Pause.h"

#include <cerrno>
#include <ctime>

namespace qor {

void pauseFor(std::chrono::nanoseconds duration) {
    if (duration <= std::chrono::nanoseconds::zero())
        return;
    constexpr long nanosecondsPerSecond = 1'000'000'000;
    timespec wakeAt{};
    ::clock_gettime(CLOCK_MONOTONIC, &wakeAt);
    const auto count = duration.count();
    const long long nanoseconds = wakeAt.tv_nsec + count % nanosecondsPerSecond;
    wakeAt.tv_sec += time_t(count / nanosecondsPerSecond + nanoseconds / nanosecondsPerSecond);
    wakeAt.tv_nsec = long(nanoseconds % nanosecondsPerSecond);
    // A signal handler interrupts the sleep; the next one aims at the same moment.
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wakeAt, nullptr) == EINTR) {
    }
}

} // namespace qor
