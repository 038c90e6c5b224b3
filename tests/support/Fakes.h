#pragma once

#include "app/Dispatcher.h"
#include "app/Services.h"
#include "app/WindowRegistry.h"
#include "app/WindowTable.h"
#include "app/platform/PlatformSlideAwaySurfaceSource.h"
#include "support/ScriptedDriverManager.h"
#include "windows/AllWindows.h"

#include <QList>
#include <QRect>
#include <QSet>
#include <functional>
#include <memory>

namespace qor::test {

struct Launch {
    QString commandLine;
    ShowStyle style;
    friend bool operator==(const Launch&, const Launch&) = default;
};

// Records every launch; programs named in `missing` fail as the real launcher fails.
class RecordingLauncher : public ProgramLauncher {
public:
    void start(const QString& commandLine, ShowStyle style) override;
    QList<Launch> launches;
    QSet<QString> missing;
    std::function<void()> onStart;
};

struct Message {
    QString prompt;
    MessageStyle style;
    QString title;
    friend bool operator==(const Message&, const Message&) = default;
};

// Records every box and returns at once, as if the user had pressed "OK".
class RecordingMessages : public MessageService {
public:
    void show(const QString& prompt, MessageStyle style, const QString& title = {}) override;
    QList<Message> messages;
    std::function<void(const Message&)> onShow;
    // As the real box does, a box closed after the program ended stops the handler.
    std::function<bool()> ended;
};

class RecordingKeystrokes : public KeystrokeService {
public:
    void send(const QString& keys) override { sent << keys; }
    QStringList sent;
};

class FakeScreen : public ScreenInfo {
public:
    float width() const override { return screenWidth; }
    float height() const override { return screenHeight; }
    float screenWidth = 1280 * 15;
    float screenHeight = 1024 * 15;
    std::optional<QRect> availableArea() const override { return available; }
    // Where centred windows go, in pixels: the whole of the gui tests' offscreen screen.
    QRect available{0, 0, 1280, 1024};
};

// The program's registry and dispatcher over recording services. `quitStatus` tells whether and
// how the program ended. A program still running when the test is over is logged off, as on
// SIGTERM, so that the test leaves no window behind: whatever a test hands its services to call
// back must outlive it.
class TestProgram {
public:
    explicit TestProgram(std::vector<WindowType> types = allWindowTypes());
    ~TestProgram();

    // Runs an action as the platform runs an event handler.
    void event(const std::function<void()>& action) { registry.dispatcher().run(action); }
    void show(WindowName name) {
        event([&] { registry.Show(name); });
    }
    // Loads the main window and hides it again, so that the windows under test can come and go
    // without ending the program.
    void loadMainWindowHidden() {
        event([this] {
            registry.Show(WindowName::Form1);
            registry.Hide(WindowName::Form1);
        });
    }
    // The log-off: every loaded window is closed in turn, hidden ones included.
    void closeAll() {
        event([this] { registry.closeAll(); });
    }
    LiveWindow& window(WindowName name);
    bool ended() const { return quitStatus.has_value(); }

    RecordingLauncher launcher;
    RecordingMessages messages;
    RecordingKeystrokes keystrokes;
    FakeScreen screen;
    // The dialog reads an empty list of data sources unless a test scripts one.
    ScriptedDriverManager driverManager;
    // Under the offscreen platform the window's own members are the slide-away surface.
    PlatformSlideAwaySurfaceSource slideAway{screen};
    Services services{launcher, messages, keystrokes, screen, driverManager, slideAway};
    std::optional<int> quitStatus;
    WindowRegistry registry;
};

// Replaces the type of one window, for windows whose code a test supplies.
std::vector<WindowType> withWindow(std::vector<WindowType> types, WindowType replacement);

// Deletes windows scheduled for deletion and fails the test if a top-level window is still visible.
void checkNoStrayWindows();

// The window's frame stands in the middle of the primary screen's work area, to a pixel.
bool isCentred(const QWidget& window);

// How many visible top-level windows bear the name, which a live window takes from its
// description.
int visibleWindowsNamed(const QString& name);

} // namespace qor::test
