#include "base/Pause.h"

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <csignal>
#include <pthread.h>
#include <thread>

using namespace qor;
using namespace std::chrono_literals;

namespace {

extern "C" void ignoreSignal(int) {}

// Interrupts the given thread with signals, as fast as it can, until told to stop or until
// a bound: a pause that never ends must still let the test finish and fail.
class SignalStream {
public:
    explicit SignalStream(pthread_t target) {
        struct sigaction action = {};
        action.sa_handler = ignoreSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGUSR1, &action, &previous);
        sender = std::thread([this, target] {
            const auto end = std::chrono::steady_clock::now() + 3s;
            while (!stopped && std::chrono::steady_clock::now() < end) {
                ::pthread_kill(target, SIGUSR1);
                ++sent;
            }
        });
    }
    ~SignalStream() {
        stopped = true;
        sender.join();
        ::sigaction(SIGUSR1, &previous, nullptr);
    }
    long count() const { return sent; }

private:
    struct sigaction previous = {};
    std::atomic_bool stopped{false};
    std::atomic_long sent{0};
    std::thread sender;
};

} // namespace

class PauseTest : public QObject {
    Q_OBJECT
private slots:
    void lastsAtLeastItsDuration() {
        QElapsedTimer clock;
        clock.start();
        pauseFor(20ms);
        QVERIFY(clock.nsecsElapsed() >= 20'000'000);
    }

    // Under a stream of signals a relative sleep resumed with the remaining time stretches
    // with every signal: 50 pauses of 200 us took over 6 s here. Ending at a fixed moment, they
    // take a few milliseconds more than 10 ms.
    void endsOnTimeUnderAStreamOfSignals() {
        QElapsedTimer clock;
        long sent = 0;
        {
            SignalStream stream(::pthread_self());
            clock.start();
            for (int i = 0; i < 50; ++i)
                pauseFor(200us);
            sent = stream.count();
        }
        QVERIFY2(sent > 0, "no signal was sent");
        QVERIFY2(clock.elapsed() < 1000,
                 qPrintable(QStringLiteral("the pauses took %1 ms").arg(clock.elapsed())));
    }
};

QTEST_APPLESS_MAIN(PauseTest)
#include "tst_pause.moc"
