#pragma once

#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace qor {

// Holds back, while it lives, every event that could start a handler of the program: input and
// close requests are kept and posted again, in their order, when it ends; timers and socket
// notifications are dropped, and since both fire again while they stay due, they only wait.
class EventHold : public QObject {
public:
    EventHold();
    ~EventHold() override;
    EventHold(const EventHold&) = delete;
    EventHold& operator=(const EventHold&) = delete;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held;
};

// Takes in the platform's traffic until `done` holds or the deadline passes; returns whether it
// held. For waits on the window system inside a handler, with an EventHold in place for as long
// as the window is in a state that no other handler may see.
bool awaitPlatform(const std::function<bool()>& done, QDeadlineTimer deadline);

} // namespace qor
