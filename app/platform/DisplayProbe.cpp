#include "app/platform/DisplayProbe.h"

#include <QDir>
#include <QLibraryInfo>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace qor {

namespace {

bool x11Reachable(const QString& display) {
    if (display.isEmpty())
        return false;
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

// The compositor's socket is WAYLAND_DISPLAY itself when that is a path, else a name in the
// runtime folder, as libwayland-client resolves it.
bool waylandReachable(const QString& display) {
    if (display.isEmpty())
        return false;
    const QString path = QDir::isAbsolutePath(display)
                             ? display
                             : qEnvironmentVariable("XDG_RUNTIME_DIR") + u'/' + display;
    const QByteArray bytes = path.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::copy(bytes.begin(), bytes.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool reachable =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return reachable;
}

bool waylandPluginInstalled() {
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& folder : folders) {
        const QDir platforms(folder + QStringLiteral("/platforms"));
        if (!platforms.entryList({QStringLiteral("libqwayland-*.so")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

} // namespace

DisplayFacts probeDisplay(const StartOptions& options) {
    DisplayFacts facts;
    facts.platformChosen =
        !options.platform.isEmpty() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (facts.platformChosen)
        return facts;
    facts.x11Display =
        options.displayName.isEmpty() ? qEnvironmentVariable("DISPLAY") : options.displayName;
    facts.x11Reachable = x11Reachable(facts.x11Display);
    if (facts.x11Reachable)
        return facts;
    facts.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    facts.waylandReachable = waylandReachable(facts.waylandDisplay);
    facts.waylandPluginInstalled = waylandPluginInstalled();
    return facts;
}

} // namespace qor
