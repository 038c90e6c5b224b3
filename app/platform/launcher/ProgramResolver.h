#pragma once

#include "app/platform/launcher/PurposeTable.h"

#include <QString>
#include <QStringList>

namespace qor {

// What a command line starts: an executable file with its arguments, or a desktop entry with the
// URIs it is given.
struct ResolvedProgram {
    QString executable;
    QStringList arguments;
    QString desktopId;
    QStringList uris;
};

// Finds the program that a launch table's command line names on this desktop. The first that
// yields a program wins:
// 1. the user's programs.conf (a desktop entry id or a command line for the program's key);
// 2. PATH, as findProgram looks there;
// 3. the desktop's application for the program's purpose: a MIME type's default application,
//    then an application of the purpose's categories, then the best match of GIO's desktop search
//    for the purpose's words (real entries often lack the category, as a calculator listed only
//    under Utility does), or, to leave the session, the first log-out dialog command found on
//    PATH.
// Nothing found is a LaunchFailure that says what was looked for and how to choose a program.
class ProgramResolver {
public:
    ProgramResolver(PurposeTable purposes, QStringList configFiles, QString userConfigFile);

    ResolvedProgram resolve(const QString& commandLine) const;

private:
    PurposeTable purposes_;
    QStringList configFiles_;
    QString userConfigFile_;
};

} // namespace qor
