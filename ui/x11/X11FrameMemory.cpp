#include "ui/x11/X11FrameMemory.h"

#include "ui/x11/Xcb.h"

#include <algorithm>
#include <vector>

namespace qor {

namespace {

// One kind and its frame: manager, flags, fixed size, then left, right, top and bottom, in the
// order of _NET_FRAME_EXTENTS.
constexpr int recordLength = 7;
// Ten windows of three or four kinds: a bound against a property that would only grow.
constexpr std::size_t mostRecords = 32;

xcb_atom_t memoryAtom(xcb_connection_t* connection) {
    return xcb::internAtom(connection, "_QOR_FRAME_EXTENTS");
}

std::vector<std::uint32_t> records(xcb_connection_t* connection, xcb_window_t root,
                                   xcb_atom_t atom) {
    const xcb::Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, root, atom, XCB_ATOM_CARDINAL, 0,
                                                std::uint32_t(mostRecords * recordLength)),
                               nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_CARDINAL)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    // A property that another program cut short or wrote otherwise is read as far as it is whole.
    return std::vector<std::uint32_t>(values, values + count - count % recordLength);
}

FrameKind kindAt(const std::vector<std::uint32_t>& values, std::size_t at) {
    return FrameKind{values[at], values[at + 1], values[at + 2]};
}

} // namespace

std::uint32_t runningWindowManager(xcb_connection_t* connection, std::uint32_t root) {
    const xcb_atom_t check = xcb::internAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    if (check == XCB_ATOM_NONE)
        return 0;
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

std::optional<QMargins> rememberedFrame(xcb_connection_t* connection, std::uint32_t root,
                                        const FrameKind& kind) {
    const xcb_atom_t atom = memoryAtom(connection);
    if (atom == XCB_ATOM_NONE || !kind.manager)
        return std::nullopt;
    const std::vector<std::uint32_t> values = records(connection, root, atom);
    for (std::size_t at = 0; at < values.size(); at += recordLength) {
        // No frame is wider than a screen: such a record was not written by QOR.
        const bool plausible =
            std::all_of(values.begin() + long(at) + 3, values.begin() + long(at) + recordLength,
                        [](std::uint32_t side) { return side < 4096; });
        if (kindAt(values, at) == kind && plausible)
            return QMargins(int(values[at + 3]), int(values[at + 5]), int(values[at + 4]),
                            int(values[at + 6]));
    }
    return std::nullopt;
}

void rememberFrame(xcb_connection_t* connection, std::uint32_t root, const FrameKind& kind,
                   const QMargins& frame) {
    const xcb_atom_t atom = memoryAtom(connection);
    if (atom == XCB_ATOM_NONE || !kind.manager)
        return;
    const std::vector<std::uint32_t> before = records(connection, root, atom);
    std::vector<std::uint32_t> kept;
    for (std::size_t at = 0; at < before.size(); at += recordLength) {
        const FrameKind other = kindAt(before, at);
        if (other.manager == kind.manager && !(other == kind) &&
            kept.size() < (mostRecords - 1) * recordLength)
            kept.insert(kept.end(), before.begin() + long(at),
                        before.begin() + long(at) + recordLength);
    }
    kept.insert(kept.end(), {kind.manager, kind.flags, kind.fixedSize, std::uint32_t(frame.left()),
                             std::uint32_t(frame.right()), std::uint32_t(frame.top()),
                             std::uint32_t(frame.bottom())});
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, atom, XCB_ATOM_CARDINAL, 32,
                        std::uint32_t(kept.size()), kept.data());
    xcb_flush(connection);
}

} // namespace qor
