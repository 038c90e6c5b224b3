#pragma once

#include "app/DriverManager.h"
#include "app/SlideAwaySurface.h"
#include "base/Failure.h"

#include <QRect>
#include <QString>
#include <optional>

namespace qor {

// Windows show codes that travel with a launch. Linux offers no portable way to impose them on
// another program's first window, so the launcher records them.
enum class ShowStyle { Normal = 1, Minimized = 2, Show = 5 };

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
    // The part of the primary screen that panels leave free, in pixels, where a centred window
    // goes; none when there is no screen.
    virtual std::optional<QRect> availableArea() const = 0;
};

struct Services {
    ProgramLauncher& launcher;
    MessageService& messages;
    KeystrokeService& keystrokes;
    ScreenInfo& screen;
    DriverManager& driverManager;
    SlideAwaySurfaceSource& slideAway;
};

} // namespace qor
