#pragma once

#include <QString>
#include <stdexcept>

namespace qor {

// Windows show codes that travel with a launch. Linux offers no portable way to impose them on
// another program's first window, so the launcher records them.
enum class ShowStyle { Normal = 1, Minimized = 2, Show = 5 };

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

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the command line and returns at once; throws LaunchFailure when it cannot start.
    virtual void start(const QString& commandLine, ShowStyle style) = 0;
};

enum class MessageStyle { Ok = 0, Stop = 16 };

class MessageService {
public:
    virtual ~MessageService() = default;
    // A modal box with one "OK" button; an empty title means the application title.
    virtual void show(const QString& prompt, MessageStyle style, const QString& title = {}) = 0;
};

class KeystrokeService {
public:
    virtual ~KeystrokeService() = default;
    // Queues the keys, written in the key notation, for the widget that has the focus once the
    // calling handler has returned. Throws Failure for a malformed string.
    virtual void send(const QString& keys) = 0;
};

class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    // The primary screen in twips, read afresh at every call.
    virtual float width() const = 0;
    virtual float height() const = 0;
};

struct Services {
    ProgramLauncher& launcher;
    MessageService& messages;
    KeystrokeService& keystrokes;
    ScreenInfo& screen;
};

} // namespace qor
