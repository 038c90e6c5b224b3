#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

namespace qor::test {

// Writes the file whole, creating the folders it stands in; false when that failed.
bool writeFile(const QString& path, const QByteArray& contents);

// Writes a program file (its first line names the interpreter, e.g. "#!/bin/sh") that its owner
// may run; false when that failed.
bool writeExecutable(const QString& path, const QString& text);

// The test's own environment with `folder` first on PATH, so that a program written there stands
// in for the one QOR would start.
QProcessEnvironment withFirstOnPath(const QString& folder);

} // namespace qor::test
