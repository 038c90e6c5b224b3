#pragma once

#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

namespace qor::test {

// Runs a command to completion and returns its standard output (trimmed).
QString run(const QString& program, const QStringList& arguments, int timeoutMs = 10000);

// The built qor on the test's X server (DISPLAY set by scripts/with-x.sh), driven by xdotool.
class QorProcess {
public:
    explicit QorProcess(QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
    ~QorProcess(); // kills the process if it still runs

    bool start(const QStringList& arguments = {});
    // The X window id of a visible top-level window whose title is exactly `title`, or 0.
    qulonglong waitForWindow(const QString& title, int timeoutMs = 10000);
    bool waitForWindowGone(const QString& title, int timeoutMs = 10000);
    // The client area on the screen, from xwininfo (absolute position, size).
    static QRect clientArea(qulonglong window);
    // Clicks at a point of a window's client area, in pixels.
    static void click(qulonglong window, QPoint point);
    static void key(const QString& keys); // xdotool key names, e.g. "alt+F4", "Return"
    static void type(const QString& text);
    static void activate(qulonglong window);
    // Keys typed before the window manager has given a new window the focus would go elsewhere.
    static bool waitUntilActive(qulonglong window, int timeoutMs = 5000);

    bool waitForExit(int timeoutMs = 10000);
    int exitCode() const { return process.exitCode(); }
    bool exitedNormally() const { return process.exitStatus() == QProcess::NormalExit; }
    bool running() const { return process.state() != QProcess::NotRunning; }
    qint64 pid() const { return process.processId(); }
    void signal(int signalNumber);
    QByteArray output() { return process.readAllStandardError() + process.readAllStandardOutput(); }

private:
    QProcess process;
};

} // namespace qor::test
