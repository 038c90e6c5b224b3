#pragma once

#include <QString>
#include <QStringList>

namespace qor {

// What the command line asks for. It is read before the application object exists, so that
// --help and --version work where no display can be opened.
struct StartOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString text;        // the help or version text, or the error message with the usage line
    QString platform;    // Qt's -platform value, when given
    QString displayName; // Qt's -display value, when given
};

// Parses the program's arguments (the first is the program itself). Qt's own options are
// accepted and left for the application object to act on.
StartOptions parseStartOptions(const QStringList& arguments);

} // namespace qor
