#pragma once

#include "app/Services.h"

#include <vector>

namespace qor {

// One row of a window's launch table: the button, its command line character for character,
// and the show style that travels with it.
struct LaunchEntry {
    QString button;
    QString commandLine;
    ShowStyle style;
};

// Starts the button's row. The launcher returns at once; a program that cannot be started is a
// LaunchFailure.
void launch(ProgramLauncher& launcher, const std::vector<LaunchEntry>& table,
            const QString& button);

} // namespace qor
