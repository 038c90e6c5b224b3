#include "app/platform/QtProgramLauncher.h"

#include "app/CommandLine.h"

#include <QFileInfo>
#include <QProcess>

namespace qor {

namespace {

bool isExecutableFile(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}

} // namespace

void QtProgramLauncher::start(const QString& commandLine, ShowStyle style) {
    lastShowStyle_ = style;
    const SplitCommandLine split = splitCommandLine(commandLine);
    const std::optional<QString> path =
        findProgram(split.program, qEnvironmentVariable("PATH"), isExecutableFile);
    if (!path)
        throw LaunchFailure(("File not found: " + split.program).toStdString());
    if (!QProcess::startDetached(*path, split.arguments))
        throw LaunchFailure(("Cannot start: " + split.program).toStdString());
}

} // namespace qor
