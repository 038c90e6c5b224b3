#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <cstdint>
#include <list>

struct SnDisplay;
struct SnLauncherContext;

namespace qor {

// What the feedback says about a program being started, from its desktop entry.
struct StartingProgram {
    QString name;    // Name, what a panel shows while it starts
    QString binary;  // the program that Exec runs
    QString icon;    // Icon
    QString wmClass; // StartupWMClass: how a window manager knows a window that carries no id
};

// Launch feedback: the freedesktop startup notification for programs whose desktop entry asks
// for it (StartupNotify=true). The desktop shows that the program is starting (a busy pointer, a
// task button), and a window manager that prevents focus stealing learns from the id which user
// action started it, so that its first window may come to the front.
//
// It is an X protocol, sent through libstartup-notification, which is loaded on the first
// feedback: the first frame does not pay for it, and a machine without the library (or a session
// on another display server) starts its programs without feedback.
class StartupFeedback {
public:
    StartupFeedback();
    // Ends every sequence still open: once QOR is gone, nothing would end the feedback of a program
    // that knows nothing of startup notification.
    ~StartupFeedback();
    StartupFeedback(const StartupFeedback&) = delete;
    StartupFeedback& operator=(const StartupFeedback&) = delete;

    // Announces that the program is starting, for the user's action at userTime (X server time;
    // 0 says that no action is known); returns the sequence's id, which the program must find in
    // DESKTOP_STARTUP_ID, or an empty id when there is no feedback to give.
    QByteArray begin(const StartingProgram& program, std::uint32_t userTime);
    // The program could not be started: the feedback ends at once.
    void failed(const QByteArray& id);
    // The program was started. It ends the sequence itself once its window shows; one that
    // knows nothing of startup notification never does, so the feedback ends after timeOut
    // whatever happens, without holding up the event loop or the program's end.
    void started(const QByteArray& id);

    // GTK's launcher waits as long before it gives up on a program.
    static constexpr std::chrono::seconds timeOut{30};

private:
    struct Sequence {
        QByteArray id;
        SnLauncherContext* context;
    };
    void complete(const QByteArray& id);

    SnDisplay* display_ = nullptr;
    std::list<Sequence> open_;
    // The context of the time-outs: none fires once the feedback is gone.
    QObject timers_;
};

} // namespace qor
