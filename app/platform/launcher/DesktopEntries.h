#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace qor {

class StartupFeedback;

// The desktop's applications, as freedesktop desktop entries read by GIO from the XDG data
// folders (with the user's choices of default applications in mimeapps.list). Entries that are
// Hidden, NoDisplay or whose TryExec program is missing are never offered.
namespace desktopEntries {

// Whether an installed, launchable entry has this id ("org.example.Calc.desktop").
bool exists(const QString& id);

// The id of the default application for the MIME type, if any.
std::optional<QString> defaultFor(const QString& mimeType);

// The id of an application listed in all of the categories, preferring one shown in the current
// desktop (OnlyShowIn and NotShowIn against XDG_CURRENT_DESKTOP); among equals, the first id in
// alphabetical order, so the choice stays the same from one press to the next.
std::optional<QString> inCategories(const QStringList& categories);

// The id of the application that GIO's desktop search finds for the words, in the order a
// desktop shell's application search lists them: GIO's better matches first, and among matches
// it ranks alike the first id in alphabetical order. As in inCategories, an application shown in
// the current desktop is preferred: one not shown is taken only when no match is shown.
std::optional<QString> searched(const QString& words);

// Starts the entry the freedesktop way (field codes, Terminal=true, D-Bus activation) without a
// shell. The program is not QOR's child: it outlives QOR and leaves no zombie. An entry with
// StartupNotify=true gets launch feedback for the user's action at userTime (UserTime.h), and
// its id in DESKTOP_STARTUP_ID; no other program gets that variable. Throws LaunchFailure when it
// cannot be started.
void launch(const QString& id, const QStringList& uris, StartupFeedback& feedback,
            std::uint32_t userTime);

} // namespace desktopEntries

} // namespace qor
