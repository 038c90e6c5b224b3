#pragma once

#include <cstdint>

class QEvent;

namespace qor {

// The user time: when the user last pressed or released a key or a pointer button in one of the
// program's windows, in the window system's clock (on X, the server's time of the input event,
// in milliseconds). 0 until the user has given any input.
//
// A started program's startup notification carries it, so that the window manager can tell
// whether the program's first window comes from the user's latest action. It is recorded here,
// once for every window, rather than carried with each click: a click reaches the launcher
// through the binding tables, its handler and the dispatcher, none of which sees the input
// event, and a handler runs inside the delivery of the input that triggered it, so the latest
// input is the triggering one (which is also how X defines a window's user time).
std::uint32_t userTime();

// Records the time of a key or pointer button event that the window system delivered. Events
// without a time, which the program made itself (keys sent by a handler), change nothing.
void noteUserInput(const QEvent& event);

} // namespace qor
