#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qor {

// Splits a command line written in a configuration file into its words with the shell's quoting
// rules, without running a shell. A malformed line (an unclosed quote, nothing but blanks) is
// none, with the reason in problem.
std::optional<QStringList> shellWords(const QString& commandLine, QString& problem);

} // namespace qor
