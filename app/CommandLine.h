#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qor {

struct SplitCommandLine {
    QString program;
    QStringList arguments;
};

// Splits a command line as Windows does for simple cases: words are separated by blanks (spaces
// and tabs), double quotes group blanks into a word and are themselves dropped, and the first
// word is the program. Backslashes are ordinary characters, so Windows paths pass unchanged.
SplitCommandLine splitCommandLine(const QString& commandLine);

// Finds the program as a Linux user would expect a Windows name to be found. A name with "/" is
// a path, used as it is. Any other name is looked for in each directory of the colon-separated
// path variable: first as written, then without a trailing ".exe" in any case, then lower-cased.
// Empty entries of the path variable are skipped rather than read as the working directory, which
// a launcher should never search by accident. A Windows drive or backslash path is not
// translated, so it is found only if such a file really exists.
std::optional<QString> findProgram(const QString& program, const QString& pathVariable,
                                   const std::function<bool(const QString&)>& isExecutable);

} // namespace qor
