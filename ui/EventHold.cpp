#include "ui/EventHold.h"

#include "base/Pause.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace qor {

EventHold::EventHold() {
    QCoreApplication::instance()->installEventFilter(this);
}

EventHold::~EventHold() {
    QCoreApplication::instance()->removeEventFilter(this);
    for (auto& [receiver, event] : held)
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
    // Input that the platform kept back meanwhile must not wait for the next X event.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

bool EventHold::eventFilter(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::Timer:
    case QEvent::SockAct:
        return true;
    case QEvent::Close:
    case QEvent::Shortcut:
        break;
    default:
        if (!event->isInputEvent())
            return false;
    }
    held.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
    return true;
}

bool awaitPlatform(const std::function<bool()>& done, QDeadlineTimer deadline) {
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!done())
            pauseFor(std::chrono::milliseconds(1));
    }
    return done();
}

} // namespace qor
