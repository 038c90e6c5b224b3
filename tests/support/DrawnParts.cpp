#include "support/DrawnParts.h"

#include <cstdlib>
#include <xcb/damage.h>

namespace qor::test {

DrawnParts::DrawnParts(XEvents& events, qulonglong window) : x(events) {
    xcb_connection_t* connection = x.xcbConnection();
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_damage_id);
    if (!extension || !extension->present)
        return;
    // The server speaks Damage to a client only once the client has said which version it knows.
    xcb_damage_query_version_reply_t* version = xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr);
    if (!version)
        return;
    std::free(version);
    notifyType = extension->first_event + XCB_DAMAGE_NOTIFY;
    damage = xcb_generate_id(connection);
    // Raw rectangles: a report for every rendering, not only for the first one after a clear, so
    // nothing needs to be acknowledged and no later drawing goes unreported.
    xcb_damage_create(connection, damage, xcb_drawable_t(window),
                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    x.alsoHandle([this](xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != notifyType)
            return;
        const auto* notify = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
        if (notify->damage == damage)
            parts += QRect(notify->area.x, notify->area.y, notify->area.width, notify->area.height);
    });
    // A round trip, so that an unknown window shows as an error here and every drawing after this
    // point is reported.
    xcb_generic_error_t* error =
        xcb_request_check(connection, xcb_damage_subtract_checked(connection, damage, 0, 0));
    if (error) {
        std::free(error);
        x.alsoHandle({});
        damage = 0;
    }
}

DrawnParts::~DrawnParts() {
    if (!damage)
        return;
    x.alsoHandle({});
    xcb_damage_destroy(x.xcbConnection(), damage);
    xcb_flush(x.xcbConnection());
}

bool DrawnParts::waitUntilDrawn(const QRegion& area, int timeoutMs) {
    if (!damage)
        return false;
    return x.waitFor([&] { return area.isEmpty() ? !parts.isEmpty() : (area - parts).isEmpty(); },
                     timeoutMs);
}

} // namespace qor::test
