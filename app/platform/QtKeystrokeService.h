#pragma once

#include "app/Services.h"

namespace qor {

// Types keys into the application's focused widget once the event loop runs again. The string is
// parsed at once, so a malformed one fails at the call. Each key event is delivered on its own
// pass of the event loop to the widget that has the focus at that moment, as typing would: a key
// that moves the focus or opens a modal box sends the following keys there.
//
// Only the key events themselves are sent, with their modifiers; no separate Shift, Ctrl or Alt
// press is, because a lone Alt press and release could open a menu. Keys that arrive while no
// widget has the focus are dropped, as typing into nothing would be.
class QtKeystrokeService : public KeystrokeService {
public:
    void send(const QString& keys) override;
};

} // namespace qor
