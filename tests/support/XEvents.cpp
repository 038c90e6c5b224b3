#include "support/XEvents.h"

#include "ui/x11/Xcb.h"

#include <QDeadlineTimer>
#include <cstdlib>
#include <poll.h>

namespace qor::test {

using xcb::internAtom;
using xcb::Reply;

XEvents::XEvents() : connection(xcb_connect(nullptr, nullptr)) {
    if (!connected())
        return;
    root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    extentsAtom = internAtom(connection, "_NET_FRAME_EXTENTS");
    pidAtom = internAtom(connection, "_NET_WM_PID");
    activeAtom = internAtom(connection, "_NET_ACTIVE_WINDOW");
    nameAtom = internAtom(connection, "_NET_WM_NAME");
    utf8Atom = internAtom(connection, "UTF8_STRING");
    // The root's property notices report the active window and the window manager's client list.
    select(root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE);
    // A round trip: the server reports to this watch before the test goes on.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

XEvents::~XEvents() {
    xcb_disconnect(connection);
}

bool XEvents::connected() const {
    return connection && !xcb_connection_has_error(connection);
}

void XEvents::select(unsigned window, std::uint32_t mask) {
    std::uint32_t& now = selected[window];
    if ((now | mask) == now)
        return;
    now |= mask;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &now);
}

void XEvents::watch(qulonglong window) {
    select(unsigned(window), XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE |
                                 XCB_EVENT_MASK_EXPOSURE);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool XEvents::take(int timeoutMs) {
    xcb_flush(connection);
    bool came = false;
    for (;;) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            if (came || timeoutMs <= 0 || !connected())
                return came;
            pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
            if (::poll(&fd, 1, timeoutMs) <= 0)
                return false;
            timeoutMs = 0;
            continue;
        }
        came = true;
        switch (event->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto* create = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (create->parent == root && !create->override_redirect)
                rootChildren[create->window] =
                    QRect(create->x, create->y, create->width, create->height);
            break;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            if (configure->event == root && rootChildren.contains(configure->window))
                rootChildren[configure->window] =
                    QRect(configure->x, configure->y, configure->width, configure->height);
            break;
        }
        case XCB_REPARENT_NOTIFY: {
            const auto* reparent = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
            if (reparent->event == root && reparent->parent != root)
                rootChildren.remove(reparent->window);
            break;
        }
        case XCB_MAP_NOTIFY: {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (map->event == root && rootChildren.contains(map->window))
                mapped << std::pair(map->window, rootChildren[map->window]);
            break;
        }
        default:
            break;
        }
        if (alsoHandle_)
            alsoHandle_(event);
        std::free(event);
    }
}

bool XEvents::waitFor(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    take(0);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        take(int(deadline.remainingTime()));
    }
    return true;
}

void XEvents::watchFor(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired())
        take(int(deadline.remainingTime()));
}

unsigned XEvents::windowOf(qint64 pid, unsigned window) {
    if (pidOf(window) == pid)
        return window;
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree)
        return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        if (const unsigned found = windowOf(pid, children[i]))
            return found;
    return 0;
}

std::optional<XEvents::FirstShown> XEvents::waitForFirstShown(qint64 pid, QSize client,
                                                              int timeoutMs) {
    std::optional<FirstShown> found;
    qsizetype looked = 0;
    waitFor(
        [&] {
            for (; looked < mapped.size(); ++looked) {
                const auto& [outer, place] = mapped[looked];
                const unsigned window = windowOf(pid, outer);
                if (!window)
                    continue;
                // The frame lies around the client area by the extents the window manager sets.
                const QMargins frame = window == outer ? QMargins() : frameExtents(window);
                const QRect area = place.marginsRemoved(frame);
                if (area.size() == client) {
                    found = FirstShown{window, area, frame};
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

QString XEvents::titleOf(unsigned window) {
    const auto text = [&](xcb_atom_t property, xcb_atom_t type) -> std::optional<QString> {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 4096), nullptr));
        if (!reply || reply->type != type)
            return std::nullopt;
        const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
        const int length = xcb_get_property_value_length(reply.get());
        return type == utf8Atom ? QString::fromUtf8(bytes, length)
                                : QString::fromLatin1(bytes, length);
    };
    if (std::optional<QString> name = text(nameAtom, utf8Atom))
        return *name;
    return text(XCB_ATOM_WM_NAME, XCB_ATOM_STRING).value_or(QString());
}

bool XEvents::eachViewable(unsigned window, const std::function<bool(unsigned)>& found) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree)
        return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // Asked for all at once: one round trip per level of the tree, not per window.
    QList<xcb_get_window_attributes_cookie_t> cookies;
    for (int i = 0; i < count; ++i)
        cookies << xcb_get_window_attributes(connection, children[i]);
    QList<bool> viewable;
    for (const auto& cookie : cookies) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection, cookie, nullptr));
        viewable << (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE);
    }
    for (int i = 0; i < count; ++i) {
        if (!viewable[i])
            continue;
        // Whatever newly shows, goes, or is renamed below a viewable window is told to this
        // connection, so a wait wakes for it; asked before the window is looked at, so nothing
        // slips between the look and the wait.
        select(children[i], XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE);
        if (found(children[i]) || eachViewable(children[i], found))
            return true;
    }
    return false;
}

qulonglong XEvents::visibleWindow(const QString& title) {
    unsigned match = 0;
    eachViewable(root, [&](unsigned window) {
        if (titleOf(window) != title)
            return false;
        match = window;
        return true;
    });
    return match;
}

QList<qulonglong> XEvents::visibleWindowsOf(qint64 pid) {
    QList<qulonglong> windows;
    eachViewable(root, [&](unsigned window) {
        if (pidOf(window) == pid)
            windows << window;
        return false;
    });
    return windows;
}

QList<std::uint32_t> XEvents::numbers(unsigned window, unsigned property, unsigned type,
                                      int count) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4 * count)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QList<std::uint32_t>(values, values + count);
}

qulonglong XEvents::activeWindow() {
    const QList<std::uint32_t> active = numbers(root, activeAtom, XCB_ATOM_WINDOW, 1);
    return active.isEmpty() ? 0 : active.first();
}

QRect XEvents::clientArea(qulonglong window) {
    const auto id = xcb_window_t(window);
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    const Reply<xcb_translate_coordinates_reply_t> at(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr));
    if (!geometry || !at)
        return {};
    return {at->dst_x, at->dst_y, geometry->width, geometry->height};
}

std::optional<QMargins> XEvents::reportedFrame(qulonglong window) {
    // Left, right, top, bottom.
    const QList<std::uint32_t> v = numbers(unsigned(window), extentsAtom, XCB_ATOM_CARDINAL, 4);
    if (v.isEmpty())
        return std::nullopt;
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

qint64 XEvents::pidOf(qulonglong window) {
    const QList<std::uint32_t> pid = numbers(unsigned(window), pidAtom, XCB_ATOM_CARDINAL, 1);
    return pid.isEmpty() ? 0 : pid.first();
}

} // namespace qor::test
