#pragma once

#include <QString>

namespace qor {

// What start-up found out about the display servers it could use.
struct DisplayFacts {
    bool platformChosen = false; // the user named a Qt platform (QT_QPA_PLATFORM or -platform)
    QString x11Display;          // -display, else DISPLAY
    bool x11Reachable = false;
    QString waylandDisplay; // WAYLAND_DISPLAY
    bool waylandReachable = false;
    bool waylandPluginInstalled = false;
};

struct DisplayChoice {
    QString platform; // the Qt platform to ask for; empty leaves the choice to Qt
    QString notice;   // said once on standard error
    QString error;    // no display can be used: the program ends with this message
};

// QOR's windows place themselves (centring, the slide-away exit), which only X allows, so an
// X server is preferred, XWayland included. Without one, Qt's Wayland backend still beats
// Qt's own abort, which names neither the cause nor the cure. A platform the user chose is
// left alone.
DisplayChoice chooseDisplay(const DisplayFacts& facts);

} // namespace qor
