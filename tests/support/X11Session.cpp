#include "support/X11Session.h"

#include "support/XEvents.h"

#include <csignal>

namespace qor::test {

QString run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QorProcess::QorProcess(QProcessEnvironment environment) {
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.setProgram(QStringLiteral(QOR_BINARY));
}

QorProcess::~QorProcess() {
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool QorProcess::start(const QStringList& arguments) {
    process.setArguments(arguments);
    process.start();
    return process.waitForStarted(5000);
}

// Each wait looks at the server's state once its connection hears the changes, then sleeps until
// the server reports one (a window mapped, unmapped, destroyed or renamed, another active window).
qulonglong QorProcess::waitForWindow(const QString& title, int timeoutMs) {
    XEvents x;
    qulonglong found = 0;
    x.waitFor([&] { return (found = x.visibleWindow(title)) != 0; }, timeoutMs);
    return found;
}

bool QorProcess::waitForWindowGone(const QString& title, int timeoutMs) {
    XEvents x;
    return x.waitFor([&] { return x.visibleWindow(title) == 0; }, timeoutMs);
}

QRect QorProcess::clientArea(qulonglong window) {
    return XEvents().clientArea(window);
}

void QorProcess::click(qulonglong window, QPoint point) {
    const QRect area = clientArea(window);
    const QPoint at = area.topLeft() + point;
    // "mousemove --sync" waits for the pointer to move, and so stalls when it is already there:
    // move it away first.
    run("xdotool", {"mousemove", "--sync", QString::number(at.x() == 0 ? 1 : 0), "0"});
    run("xdotool",
        {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

void QorProcess::key(const QString& keys) {
    run("xdotool", {"key", "--clearmodifiers", keys});
}

void QorProcess::type(const QString& text) {
    run("xdotool", {"type", "--delay", "20", text});
}

void QorProcess::activate(qulonglong window) {
    run("xdotool", {"windowactivate", "--sync", QString::number(window)});
}

bool QorProcess::waitUntilActive(qulonglong window, int timeoutMs) {
    XEvents x;
    return x.waitFor([&] { return x.activeWindow() == window; }, timeoutMs);
}

bool QorProcess::waitForExit(int timeoutMs) {
    return process.state() == QProcess::NotRunning || process.waitForFinished(timeoutMs);
}

void QorProcess::signal(int signalNumber) {
    if (process.processId() > 0)
        ::kill(pid_t(process.processId()), signalNumber);
}

} // namespace qor::test
