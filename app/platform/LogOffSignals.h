#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace qor {

// Log-off and shut-down arrive as SIGTERM, SIGHUP or SIGINT. The signal handler only writes a
// byte into a pipe; the event loop reads it and closes the program's windows outside the handler.
class LogOffSignals : public QObject {
    Q_OBJECT
public:
    explicit LogOffSignals(std::function<void()> onLogOff);
    ~LogOffSignals() override;

private:
    std::function<void()> onLogOff;
    QSocketNotifier* notifier = nullptr;
};

} // namespace qor
