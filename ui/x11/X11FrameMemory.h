#pragma once

#include <QMargins>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace qor {

// The frames that the running window manager gave QOR's windows, kept on the X server for as long
// as it runs (a property of the root window), so that a window of a kind framed before is placed
// without asking the window manager again: asked, it frames a stand-in to measure, which takes it
// milliseconds that the window would wait before it shows.
//
// A kind is the window manager's own (its _NET_SUPPORTING_WM_CHECK window, a new one with each
// start of a window manager), and what decides the frame it draws: the window's flags and whether
// its size is fixed. Margins are in the X server's pixels, as _NET_FRAME_EXTENTS holds them.
struct FrameKind {
    std::uint32_t manager = 0;
    std::uint32_t flags = 0;
    std::uint32_t fixedSize = 0;
    bool operator==(const FrameKind&) const = default;
};

// The window manager's _NET_SUPPORTING_WM_CHECK window, or 0 when none says it runs.
std::uint32_t runningWindowManager(xcb_connection_t* connection, std::uint32_t root);

std::optional<QMargins> rememberedFrame(xcb_connection_t* connection, std::uint32_t root,
                                        const FrameKind& kind);
// Keeps the frame for the kind; forgets the frames of window managers that no longer run.
void rememberFrame(xcb_connection_t* connection, std::uint32_t root, const FrameKind& kind,
                   const QMargins& frame);

} // namespace qor
