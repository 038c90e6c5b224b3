#include "ui/x11/X11FrameExtents.h"

#include "ui/EventHold.h"
#include "ui/x11/DisplayServer.h"
#include "ui/x11/X11FrameMemory.h"
#include "ui/x11/Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>

namespace qor {

namespace {

// Whether the window manager that runs now lists the atom in _NET_SUPPORTED on the root window.
bool windowManagerSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom) {
    const xcb_atom_t supported = xcb::internAtom(connection, "_NET_SUPPORTED");
    if (supported == XCB_ATOM_NONE)
        return false;
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, atom) != atoms + count;
}

// Left, right, top and bottom, as _NET_FRAME_EXTENTS holds them; empty while it is not set.
std::optional<QMargins> readFrameExtents(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t extents) {
    const xcb::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// Hears each change of the window's _NET_FRAME_EXTENTS as it passes through the application's
// event queue.
class ExtentsHeard : public QAbstractNativeEventFilter {
public:
    ExtentsHeard(xcb_window_t window, xcb_atom_t extents, std::function<void()> heard)
        : window(window), extents(extents), heard(std::move(heard)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~ExtentsHeard() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    ExtentsHeard(const ExtentsHeard&) = delete;
    ExtentsHeard& operator=(const ExtentsHeard&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
            if (change->window == window && change->atom == extents)
                heard();
        }
        return false;
    }

private:
    xcb_window_t window;
    xcb_atom_t extents;
    std::function<void()> heard;
};

QMargins inWindowPixels(const QMargins& native, const QWindow& window) {
    const qreal ratio = window.devicePixelRatio();
    const auto scaled = [ratio](int pixels) { return int(std::lround(pixels / ratio)); };
    return QMargins(scaled(native.left()), scaled(native.top()), scaled(native.right()),
                    scaled(native.bottom()));
}

} // namespace

struct FrameExtentsRequest::Watch {
    ExtentsHeard heard;
};

FrameExtentsRequest::FrameExtentsRequest(QWindow& window) : window(window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window.handle())
        return;
    const auto id = xcb_window_t(window.winId());
    const xcb::Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    extents = xcb::internAtom(connection, "_NET_FRAME_EXTENTS");
    if (!tree || extents == XCB_ATOM_NONE)
        return;
    root = tree->root;
    kind = FrameKind{runningWindowManager(connection, root), std::uint32_t(window.flags()),
                     std::uint32_t(window.minimumSize() == window.maximumSize())};

    // The filter is in place before the window manager can set the frame, so that no change
    // passes unseen; the window already listens to its property changes, as Qt asks for them on
    // every window.
    if ((remembered = rememberedFrame(connection, root, kind))) {
        watch.reset(new Watch{ExtentsHeard(id, extents, [this] { checkMemory(); })});
        return;
    }
    const xcb_atom_t request = xcb::internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || !windowManagerSupports(connection, root, request))
        return;
    watch.reset(new Watch{ExtentsHeard(id, extents, [this] { answered = true; })});
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

FrameExtentsRequest::~FrameExtentsRequest() = default;

std::optional<QMargins> FrameExtentsRequest::answer(std::chrono::milliseconds bound) {
    if (remembered)
        return inWindowPixels(*remembered, window);
    if (!watch)
        return std::nullopt;
    // Only the platform's own traffic is taken in while waiting: a handler that started now
    // would find the window neither placed nor shown.
    {
        EventHold hold;
        const bool came = awaitPlatform([&] { return answered; }, QDeadlineTimer(bound));
        watch.reset();
        if (!came)
            return std::nullopt;
    }
    xcb_connection_t* connection = x11Connection();
    const std::optional<QMargins> native =
        readFrameExtents(connection, xcb_window_t(window.winId()), extents);
    if (!native)
        return std::nullopt;
    rememberFrame(connection, root, kind, *native);
    return inWindowPixels(*native, window);
}

void FrameExtentsRequest::whenMemoryWasWrong(std::function<void()> mend) {
    mendWrongMemory = std::move(mend);
}

void FrameExtentsRequest::checkMemory() {
    if (memoryChecked)
        return;
    xcb_connection_t* connection = x11Connection();
    const std::optional<QMargins> actual =
        readFrameExtents(connection, xcb_window_t(window.winId()), extents);
    if (!actual)
        return;
    memoryChecked = true;
    if (*actual == *remembered)
        return;
    // Another theme, or a window manager that frames this kind otherwise than the one before
    // it: the next window of the kind gets the frame this one got.
    rememberFrame(connection, root, kind, *actual);
    if (mendWrongMemory)
        mendWrongMemory();
}

} // namespace qor
