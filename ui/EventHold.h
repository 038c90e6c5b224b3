#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
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

} // namespace qor
