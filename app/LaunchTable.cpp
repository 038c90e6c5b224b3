#include "app/LaunchTable.h"

#include <algorithm>

namespace qor {

void launch(ProgramLauncher& launcher, const LaunchEntry& row) {
    launcher.start(row.commandLine, row.style);
}

void launch(ProgramLauncher& launcher, const std::vector<LaunchEntry>& table,
            const QString& button) {
    const auto row = std::find_if(table.begin(), table.end(),
                                  [&](const LaunchEntry& e) { return e.button == button; });
    if (row == table.end())
        throw Failure(QStringLiteral("No launch for %1").arg(button).toStdString());
    launch(launcher, *row);
}

} // namespace qor
