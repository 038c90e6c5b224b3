#pragma once

#include <QString>
#include <stdexcept>

namespace qor {

// Thrown by the end operation, and by any service called after it: it unwinds the running
// handlers to the dispatcher, which lets no further handler run.
struct ProgramEnded {};

// A failure that a handler does not catch. The dispatcher shows it and ends the program.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    QString text() const { return QString::fromUtf8(what()); }
};

// A program that could not be started. Unlike other failures it does not end the program.
class LaunchFailure : public Failure {
public:
    using Failure::Failure;
};

} // namespace qor
