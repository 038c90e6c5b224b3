#include "app/DisplayChoice.h"

namespace qor {

namespace {

const QString virtualServerHint = QStringLiteral(
    "Start it inside a desktop session, or under a virtual X server: xvfb-run -a qor");

QString whyNotX11(const DisplayFacts& facts) {
    if (facts.x11Display.isEmpty())
        return QStringLiteral("no X server is set (DISPLAY is empty)");
    return QStringLiteral("the X server %1 cannot be reached").arg(facts.x11Display);
}

QString whyNotWayland(const DisplayFacts& facts) {
    if (facts.waylandDisplay.isEmpty())
        return QStringLiteral("no Wayland session is set (WAYLAND_DISPLAY is empty)");
    if (!facts.waylandReachable)
        return QStringLiteral("the Wayland compositor %1 cannot be reached")
            .arg(facts.waylandDisplay);
    return QStringLiteral("Qt's Wayland plugin is not installed (Debian package qt6-wayland)");
}

} // namespace

DisplayChoice chooseDisplay(const DisplayFacts& facts) {
    if (facts.platformChosen)
        return {};
    if (facts.x11Reachable)
        return {QStringLiteral("xcb"), {}, {}};
    if (facts.waylandReachable && facts.waylandPluginInstalled)
        return {QStringLiteral("wayland"),
                QStringLiteral("qor: no X server can be reached, so QOR runs on Wayland, where "
                               "windows cannot place themselves: the compositor chooses where "
                               "they appear.\n"),
                {}};
    if (facts.x11Display.isEmpty() && facts.waylandDisplay.isEmpty())
        return {{}, {}, QStringLiteral("qor: no display. %1\n").arg(virtualServerHint)};
    const QString cure = facts.waylandReachable
                             ? QStringLiteral("Install qt6-wayland, or enable XWayland in the "
                                              "desktop session.")
                             : virtualServerHint;
    return {{},
            {},
            QStringLiteral("qor: cannot open a window: %1, and %2. %3\n")
                .arg(whyNotX11(facts), whyNotWayland(facts), cure)};
}

} // namespace qor
