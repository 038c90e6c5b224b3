// Times the slide-away exit of a live tools window, built and driven by QOR's own code, beside
// the floor program, which makes the same number of fold, drop and run-off steps on a bare window
// with the same wait for the X server per step. Prints every round and the medians.
//
//   qor_bench_slideaway [--raw] [ROUNDS]      (on an X server with a window manager)
//
// With --raw it prints only one line per round: the exit's, the floor's and the exit's from the
// close command milliseconds.
//
// The exit's time runs from its first fold step, as an X connection of the benchmark's own sees
// it arrive, to the end operation's return: it leaves out taking the window back from the window
// manager, which the floor, never managed, has no need of. The time from the close command, which
// includes it, is printed beside it.

#include "app/Dispatcher.h"
#include "app/WindowRegistry.h"
#include "app/platform/PlatformSlideAwaySurfaceSource.h"
#include "app/platform/QtKeystrokeService.h"
#include "app/platform/QtScreenInfo.h"
#include "app/platform/UnixOdbcDriverManager.h"
#include "windows/AllWindows.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

using namespace qor;
using Clock = std::chrono::steady_clock;

namespace {

class NoLaunches : public ProgramLauncher {
public:
    void start(const QString&, ShowStyle) override {}
};

class PrintedMessages : public MessageService {
public:
    void show(const QString& prompt, MessageStyle, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
    }
};

struct Place {
    int left, top, height;
};

// Watches the tools window from a connection of its own. A counting watch keeps every size and
// place the X server gives the window; a timing watch notes when the first fold step reaches the
// server and then stops watching, so that the server has no extra client to tell of each step.
class ExitWatch {
public:
    enum Kind { Counting, Timing };

    ExitWatch(xcb_window_t window, int startHeight, Kind kind)
        : connection(xcb_connect(nullptr, nullptr)), window(window), startHeight(startHeight) {
        select(XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        if (kind == Timing)
            waiter = std::thread([this] { waitForTheFirstFold(); });
    }
    ~ExitWatch() {
        if (waiter.joinable())
            waiter.join();
        xcb_disconnect(connection);
    }

    // Call once the window is being destroyed: a counting watch reads up to its destruction,
    // which the server reports after every step.
    void finish() {
        if (waiter.joinable())
            waiter.join();
        else
            while (xcb_generic_event_t* event = xcb_wait_for_event(connection))
                if (note(event))
                    break;
    }

    std::vector<Place> steps;
    Clock::time_point firstFold;

private:
    void select(std::uint32_t mask) {
        xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }

    // Returns true for the window's destruction.
    bool note(xcb_generic_event_t* event) {
        const std::uint8_t type = event->response_type;
        if (type == XCB_CONFIGURE_NOTIFY) {
            const auto* c = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            if (!steps.empty() || c->height != startHeight)
                steps.push_back({c->x, c->y, c->height});
        }
        std::free(event);
        return type == XCB_DESTROY_NOTIFY;
    }

    void waitForTheFirstFold() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
            if (note(event))
                return;
            if (!steps.empty()) {
                firstFold = Clock::now();
                select(0);
                return;
            }
        }
    }

    xcb_connection_t* connection;
    xcb_window_t window;
    int startHeight;
    std::thread waiter;
};

struct LiveRun {
    double fromFirstStepMs = 0, fromCloseMs = 0;
    int folds = 0, drops = 0, runOffs = 0;
};

void processEventsFor(int ms, const std::function<bool()>& until = {}) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired() && !(until && until()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

LiveRun runLiveExit(ExitWatch::Kind kind) {
    NoLaunches launcher;
    PrintedMessages messages;
    QtKeystrokeService keystrokes;
    QtScreenInfo screen;
    PlatformSlideAwaySurfaceSource slideAway(screen);
    UnixOdbcDriverManager driverManager;
    Services services{launcher, messages, keystrokes, screen, driverManager, slideAway};
    bool ended = false;
    WindowRegistry registry(allWindowTypes(), services, [&](int) { ended = true; });
    registry.dispatcher().run([&] { registry.Show(WindowName::Frmprogress); });
    LiveWindow* tools = registry.window(WindowName::Frmprogress);
    if (!tools)
        return {};
    processEventsFor(400);
    processEventsFor(5000, [&] { return tools->isActiveWindow(); });

    const int startHeight = tools->frameGeometry().height();
    ExitWatch watch(xcb_window_t(tools->winId()), startHeight, kind);
    const Clock::time_point close = Clock::now();
    tools->close();
    const Clock::time_point end = Clock::now();
    if (!ended) {
        std::fprintf(stderr, "the exit did not end the program\n");
        std::exit(1);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    watch.finish();

    LiveRun run;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    run.fromFirstStepMs = ms(end - watch.firstFold);
    run.fromCloseMs = ms(end - close);
    for (std::size_t i = 0; i < watch.steps.size(); ++i) {
        const Place& now = watch.steps[i];
        const Place before = i ? watch.steps[i - 1] : Place{now.left, now.top, startHeight};
        run.folds += now.height != before.height;
        run.drops += now.top != before.top;
        run.runOffs += now.left != before.left;
    }
    return run;
}

double runFloor(const LiveRun& live) {
    QProcess floor;
    floor.start(
        QStringLiteral(QOR_SLIDEAWAY_FLOOR),
        {QString::number(live.folds), QString::number(live.drops), QString::number(live.runOffs)});
    if (!floor.waitForFinished(60000) || floor.exitCode() != 0) {
        std::fprintf(stderr, "the floor program failed: %s\n",
                     floor.readAllStandardError().constData());
        std::exit(1);
    }
    return floor.readAllStandardOutput().trimmed().toDouble() / 1000;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        std::fprintf(stderr, "%s needs an X server with a window manager\n", argv[0]);
        return 2;
    }
    const bool raw = argc > 1 && std::strcmp(argv[1], "--raw") == 0;
    const int roundsArg = raw ? 2 : 1;
    const int rounds = argc > roundsArg ? std::max(1, std::atoi(argv[roundsArg])) : 9;

    // One round that counts the exit's steps, for the floor to make as many.
    const LiveRun counted = runLiveExit(ExitWatch::Counting);
    if (!raw)
        std::printf("steps per exit: %d fold, %d drop, %d run-off\n", counted.folds, counted.drops,
                    counted.runOffs);
    if (counted.folds + counted.drops + counted.runOffs == 0)
        return 1;

    std::vector<double> exits, wholes, floors, ratios;
    for (int round = 1; round <= rounds; ++round) {
        const LiveRun live = runLiveExit(ExitWatch::Timing);
        const double floor = runFloor(counted);
        exits.push_back(live.fromFirstStepMs);
        wholes.push_back(live.fromCloseMs);
        floors.push_back(floor);
        ratios.push_back(live.fromFirstStepMs / floor);
        if (raw) {
            std::printf("%.3f %.3f %.3f\n", live.fromFirstStepMs, floor, live.fromCloseMs);
            continue;
        }
        std::printf("round %2d: exit %7.1f ms (from the close command %7.1f ms), floor %7.1f ms, "
                    "ratio %.2f\n",
                    round, live.fromFirstStepMs, live.fromCloseMs, floor, ratios.back());
    }
    if (raw)
        return 0;
    std::printf("median of %d rounds: exit %.1f ms (from the close command %.1f ms), floor %.1f "
                "ms, ratio %.2f (goal: at most 1.5)\n",
                rounds, median(exits), median(wholes), median(floors), median(ratios));
    std::printf("fastest: exit %.1f ms, floor %.1f ms\n",
                *std::min_element(exits.begin(), exits.end()),
                *std::min_element(floors.begin(), floors.end()));
    return 0;
}
