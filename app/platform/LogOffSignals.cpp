#include "app/platform/LogOffSignals.h"

#include <QScopedValueRollback>
#include <csignal>

namespace qor {

LogOffSignals::LogOffSignals(std::function<void()> onLogOff)
    : onLogOff(std::move(onLogOff)), watch({SIGTERM, SIGHUP, SIGINT}, [this](int) { logOff(); }) {}

void LogOffSignals::logOff() {
    if (loggingOff || !onLogOff)
        return;
    const QScopedValueRollback<bool> underWay(loggingOff, true);
    onLogOff();
}

} // namespace qor
