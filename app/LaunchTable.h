#pragma once

#include "app/Services.h"

#include <vector>

namespace qor {

// What a click on a launch row's button does. Most buttons only start their row, and the row
// binds the click itself; a click that starts the row as one step among others runs the handler
// that the window's binding table names, and that handler starts the row.
enum class LaunchClick { StartsRow, RunsHandler };

// One row of a window's launch table: the button, its command line character for character,
// the show style that travels with it, and what a click on the button does.
struct LaunchEntry {
    QString button;
    QString commandLine;
    ShowStyle style;
    LaunchClick click = LaunchClick::StartsRow;
};

// Starts the row. The launcher returns at once; a program that cannot be started is a
// LaunchFailure.
void launch(ProgramLauncher& launcher, const LaunchEntry& row);

// Starts the button's row of the table.
void launch(ProgramLauncher& launcher, const std::vector<LaunchEntry>& table,
            const QString& button);

} // namespace qor
