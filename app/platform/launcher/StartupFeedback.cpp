#include "app/platform/launcher/StartupFeedback.h"

#include "app/platform/SharedLibrary.h"
#include "ui/x11/DisplayServer.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

// The library's types only, last: Xlib's macros (None, KeyPress) would rewrite Qt's names. Its
// authors call the interface unfrozen; it has not changed since 0.12 (2012), the version that
// Debian 12 and 13 ship.
#define SN_API_NOT_YET_FROZEN
#include <libsn/sn-launcher.h>

namespace qor {

namespace {

#define QOR_SN_FUNCTIONS(FUNCTION)                                                                 \
    FUNCTION(sn_xcb_display_new)                                                                   \
    FUNCTION(sn_display_unref)                                                                     \
    FUNCTION(sn_launcher_context_new)                                                              \
    FUNCTION(sn_launcher_context_unref)                                                            \
    FUNCTION(sn_launcher_context_set_name)                                                         \
    FUNCTION(sn_launcher_context_set_description)                                                  \
    FUNCTION(sn_launcher_context_set_binary_name)                                                  \
    FUNCTION(sn_launcher_context_set_icon_name)                                                    \
    FUNCTION(sn_launcher_context_set_wmclass)                                                      \
    FUNCTION(sn_launcher_context_initiate)                                                         \
    FUNCTION(sn_launcher_context_get_startup_id)                                                   \
    FUNCTION(sn_launcher_context_complete)

// The part of libstartup-notification that a launcher uses, named once as GioLibrary does.
struct StartupNotificationLibrary {
    StartupNotificationLibrary() : library("libstartup-notification-1.so.0") {
#define QOR_SN_BIND(name) library.resolve(name, #name);
        QOR_SN_FUNCTIONS(QOR_SN_BIND)
#undef QOR_SN_BIND
    }

#define QOR_SN_MEMBER(name) decltype(&::name) name = nullptr;
    QOR_SN_FUNCTIONS(QOR_SN_MEMBER)
#undef QOR_SN_MEMBER

    SharedLibrary library;
};

// Loaded on the first call; null, for the life of the process, when it cannot be.
const StartupNotificationLibrary* startupNotification() {
    static const StartupNotificationLibrary loaded;
    return loaded.library.isUsable() ? &loaded : nullptr;
}

// The started program inherits DISPLAY, so its windows show on the screen that DISPLAY names:
// the feedback goes to that screen's root window.
int screenOfStartedPrograms(xcb_connection_t* connection) {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen))
        screen = 0;
    std::free(host);
    const int screens = xcb_setup_roots_length(xcb_get_setup(connection));
    return screen < screens ? screen : 0;
}

} // namespace

StartupFeedback::StartupFeedback() = default;

StartupFeedback::~StartupFeedback() {
    while (!open_.empty())
        complete(open_.front().id);
    if (display_)
        startupNotification()->sn_display_unref(display_);
}

QByteArray StartupFeedback::begin(const StartingProgram& program, std::uint32_t userTime) {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return {};
    const StartupNotificationLibrary* sn = startupNotification();
    if (!sn)
        return {};
    if (!display_)
        display_ = sn->sn_xcb_display_new(connection, nullptr, nullptr);
    if (!display_)
        return {};
    SnLauncherContext* context =
        sn->sn_launcher_context_new(display_, screenOfStartedPrograms(connection));
    if (!context)
        return {};
    sn->sn_launcher_context_set_name(context, program.name.toUtf8().constData());
    sn->sn_launcher_context_set_description(
        context, QStringLiteral("Starting %1").arg(program.name).toUtf8().constData());
    const QByteArray binary = QFileInfo(program.binary).fileName().toUtf8();
    if (!binary.isEmpty())
        sn->sn_launcher_context_set_binary_name(context, binary.constData());
    if (!program.icon.isEmpty())
        sn->sn_launcher_context_set_icon_name(context, program.icon.toUtf8().constData());
    if (!program.wmClass.isEmpty())
        sn->sn_launcher_context_set_wmclass(context, program.wmClass.toUtf8().constData());
    // The id ends in the user time, which is what a window manager compares.
    const QByteArray launchee = binary.isEmpty() ? QByteArrayLiteral("program") : binary;
    sn->sn_launcher_context_initiate(context, "qor", launchee.constData(), userTime);
    xcb_flush(connection);
    const QByteArray id(sn->sn_launcher_context_get_startup_id(context));
    open_.push_back({id, context});
    return id;
}

void StartupFeedback::failed(const QByteArray& id) {
    complete(id);
}

void StartupFeedback::started(const QByteArray& id) {
    if (!id.isEmpty())
        QTimer::singleShot(timeOut, &timers_, [this, id] { complete(id); });
}

void StartupFeedback::complete(const QByteArray& id) {
    const auto sequence = std::find_if(open_.begin(), open_.end(),
                                       [&](const Sequence& open) { return open.id == id; });
    if (sequence == open_.end())
        return;
    const StartupNotificationLibrary* sn = startupNotification();
    sn->sn_launcher_context_complete(sequence->context);
    sn->sn_launcher_context_unref(sequence->context);
    open_.erase(sequence);
    // Each message is a few requests that xcb may hold back; the window manager should see the
    // end now, and at the program's end there may be no later flush.
    if (xcb_connection_t* connection = x11Connection())
        xcb_flush(connection);
}

} // namespace qor
