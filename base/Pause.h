#pragma once

#include <chrono>

namespace qor {

// Sleeps the calling thread for the given time, however many signals arrive meanwhile.
//
// The pause ends at a fixed point on the monotonic clock. A relative sleep resumed with the
// remaining time the kernel reports after each signal (what std::this_thread::sleep_for and
// QThread::msleep do) ends a little later with every signal, and under a steady stream of
// signals, such as a session sending log-off after log-off, it never ends at all.
void pauseFor(std::chrono::nanoseconds duration);

} // namespace qor
