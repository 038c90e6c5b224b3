#include "ui/UserTime.h"

#include <QInputEvent>

namespace qor {

namespace {

std::uint32_t latest = 0;

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

} // namespace

std::uint32_t userTime() {
    return latest;
}

void noteUserInput(const QEvent& event) {
    if (!isUserInput(event.type()))
        return;
    // Events that the program makes itself carry no time; Qt copies a delivered event's time
    // into the events it derives from it (a key's shortcut override). X's clock is 32 bits of
    // milliseconds, and wraps after 49 days.
    if (const auto time = std::uint32_t(static_cast<const QInputEvent&>(event).timestamp()))
        latest = time;
}

} // namespace qor
