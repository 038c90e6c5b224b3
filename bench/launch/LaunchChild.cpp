// The launched program of the launch benchmark: the first thing it does is write the monotonic
// clock, in nanoseconds, to the named pipe the benchmark gives it in QOR_BENCH_READY.

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

int main() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::int64_t ns = std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
    const char* ready = std::getenv("QOR_BENCH_READY");
    if (!ready)
        return 2;
    const int pipe = open(ready, O_WRONLY);
    if (pipe < 0)
        return 1;
    const bool written = write(pipe, &ns, sizeof ns) == sizeof ns;
    close(pipe);
    return written ? 0 : 1;
}
