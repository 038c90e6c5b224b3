#pragma once

#include "app/platform/SignalWatch.h"

#include <QObject>
#include <functional>

namespace qor {

// Log-off and shut-down arrive as SIGTERM, SIGHUP or SIGINT. The signal handler only wakes the
// event loop, which closes the program's windows outside the handler. A log-off already under
// way ignores further signals: its unload handlers may show boxes, whose event loops would
// otherwise start the log-off again inside the first one.
class LogOffSignals : public QObject {
    Q_OBJECT
public:
    explicit LogOffSignals(std::function<void()> onLogOff);

private:
    void logOff();

    std::function<void()> onLogOff;
    bool loggingOff = false;
    SignalWatch watch;
};

} // namespace qor
