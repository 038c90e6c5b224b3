#pragma once

struct xcb_connection_t;

namespace qor {

// The connection to the X server that the application's windows live on; null before the
// application exists and on every other platform. This is the one test of whether the program
// runs on X: other platforms (offscreen among them) may offer an X11 interface without a
// connection that their windows live on, so the platform's name must say xcb too.
xcb_connection_t* x11Connection();

// Whether a flush puts what was drawn on the screen at once. A Wayland compositor takes at most
// one frame per screen refresh, and each flush waits until it releases the last buffer: there,
// drawings are gathered and shown with the next frame instead.
bool flushShowsAtOnce();

} // namespace qor
