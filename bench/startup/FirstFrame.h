#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace qor::bench {

// Ends the program on a window's first frame: once the window is exposed, the expose has been
// painted and put on the screen when the event loop next turns. Prints the wall clock at that
// moment in microseconds, which the runner compares with the moment it started the process.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWindow* window) {
        if (window->isExposed())
            finishSoon();
        else
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            finishSoon();
        }
        return false;
    }

private:
    void finishSoon() {
        QTimer::singleShot(0, this, [] {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::printf("%lld\n",
                        static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
};

} // namespace qor::bench
