#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>
#include <vector>

namespace qor {

// Calls back on the event loop when one of some signals has arrived: once per wake-up, however
// many of that signal arrived since the last one.
//
// The signal handler only marks the signal as caught and writes a wake-up byte into a
// non-blocking self-pipe, so a storm of signals can never stall a thread in the handler. The
// handler is installed the first time a signal is watched and stays until the process ends: a
// signal that arrives while no one watches it any more (the program tearing down) is caught and
// dropped instead of taking its default action.
class SignalWatch : public QObject {
    Q_OBJECT
public:
    SignalWatch(std::initializer_list<int> signalNumbers, std::function<void(int)> onSignal,
                QObject* parent = nullptr);
    ~SignalWatch() override;

    bool watches(int signalNumber) const;
    void deliver(int signalNumber) { onSignal(signalNumber); }

private:
    std::vector<int> signalNumbers;
    std::function<void(int)> onSignal;
};

} // namespace qor
