#include "ui/x11/X11FrameExtents.h"

#include "ui/EventHold.h"
#include "ui/x11/DisplayServer.h"
#include "ui/x11/Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

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

// Notes the window manager's answer as it passes through the application's event queue.
class ExtentsAnswer : public QAbstractNativeEventFilter {
public:
    ExtentsAnswer(xcb_window_t window, xcb_atom_t extents) : window(window), extents(extents) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~ExtentsAnswer() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    ExtentsAnswer(const ExtentsAnswer&) = delete;
    ExtentsAnswer& operator=(const ExtentsAnswer&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
            if (change->window == window && change->atom == extents)
                answered = true;
        }
        return false;
    }

    bool answered = false;

private:
    xcb_window_t window;
    xcb_atom_t extents;
};

} // namespace

std::optional<QMargins> frameExtentsBeforeMap(QWindow& window, std::chrono::milliseconds bound) {
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window.handle())
        return std::nullopt;
    const auto id = xcb_window_t(window.winId());
    const xcb::Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    const xcb_atom_t request = xcb::internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = xcb::internAtom(connection, "_NET_FRAME_EXTENTS");
    if (!tree || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
        !windowManagerSupports(connection, tree->root, request))
        return std::nullopt;

    // The filter is in place before the request leaves, so the answer cannot pass unseen; the
    // window already listens to its property changes, as Qt asks for them on every window.
    ExtentsAnswer answer(id, extents);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // Only the platform's own traffic is taken in while waiting: a handler that started now
    // would find the window neither placed nor shown.
    {
        EventHold hold;
        if (!awaitPlatform([&] { return answer.answered; }, QDeadlineTimer(bound)))
            return std::nullopt;
    }
    const std::optional<QMargins> native = readFrameExtents(connection, id, extents);
    if (!native)
        return std::nullopt;
    const qreal ratio = window.devicePixelRatio();
    const auto scaled = [ratio](int pixels) { return int(std::lround(pixels / ratio)); };
    return QMargins(scaled(native->left()), scaled(native->top()), scaled(native->right()),
                    scaled(native->bottom()));
}

} // namespace qor
