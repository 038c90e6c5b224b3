#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QDeadlineTimer>
#include <QTest>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

using namespace qor;
using namespace qor::test;

namespace {

const QPoint closeButton = centreOf(WindowName::Frmprogress, "Command1");

struct Place {
    int left, top, height;
    friend bool operator==(const Place&, const Place&) = default;
};

// Watches one window from an X connection of its own and keeps every size and place that the X
// server gives it, in order: what the screen showed, step by step.
class GeometryWatch {
public:
    explicit GeometryWatch(qulonglong window) : connection(xcb_connect(nullptr, nullptr)) {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, xcb_window_t(window), XCB_CW_EVENT_MASK, &mask);
        // A round trip: the server watches the window before the test goes on.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    ~GeometryWatch() { xcb_disconnect(connection); }

    // Collects until the window is destroyed, which the server does at the latest when the
    // program's connection closes, so no notice of the window can come after; then waits for
    // the process to end.
    void collectUntilExit(QorProcess& qor, int timeoutMs) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!destroyed && !deadline.hasExpired() && !xcb_connection_has_error(connection)) {
            xcb_flush(connection);
            pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
            ::poll(&fd, 1, int(deadline.remainingTime()));
            collect();
        }
        qor.waitForExit(int(deadline.remainingTime()));
    }

    QList<Place> places;

private:
    void collect() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            // Synthetic notices come from the window manager, not from the server's own record.
            if (event->response_type == XCB_CONFIGURE_NOTIFY) {
                const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
                places << Place{configure->x, configure->y, configure->height};
            }
            destroyed = destroyed || (event->response_type & 0x7f) == XCB_DESTROY_NOTIFY;
            std::free(event);
        }
    }

    bool destroyed = false;
    xcb_connection_t* connection;
};

// The exit as the screen of 1280 x 1024 pixels shows it: the fold to 29 pixels (435 twips) in
// place, the drop until the top passes 14860 twips (pixel 991), the run-off until the left edge
// passes 19200 twips (pixel 1281), one pixel at a time.
QList<Place> expectedSteps(const QRect& start) {
    QList<Place> steps;
    for (int height = start.height() - 1; height >= 29; --height)
        steps << Place{start.x(), start.y(), height};
    for (int top = start.y() + 1; top <= 991; ++top)
        steps << Place{start.x(), top, 29};
    for (int left = start.x() + 1; left <= 1281; ++left)
        steps << Place{left, 991, 29};
    return steps;
}

void verifyEveryStepWasShown(const QList<Place>& seen, const QRect& start) {
    const QList<Place> expected = expectedSteps(start);
    const auto first = std::find(seen.begin(), seen.end(), expected.first());
    QVERIFY2(first != seen.end(), "the first fold step never reached the X server");
    const QList<Place> steps(first, seen.end());
    QCOMPARE(steps.size(), expected.size());
    for (qsizetype i = 0; i < steps.size(); ++i)
        QVERIFY2(steps[i] == expected[i],
                 qPrintable(QStringLiteral("step %1: %2,%3 height %4 instead of %5,%6 height %7")
                                .arg(i)
                                .arg(steps[i].left)
                                .arg(steps[i].top)
                                .arg(steps[i].height)
                                .arg(expected[i].left)
                                .arg(expected[i].top)
                                .arg(expected[i].height)));
}

// Starts qor and presses "NEXT PAGE"; returns the tools window.
qulonglong openTools(QorProcess& qor) {
    if (!qor.start())
        return 0;
    const qulonglong main = qor.waitForWindow(mainTitle);
    if (!main)
        return 0;
    // "mousemove --sync" waits for the pointer to move, so it must not stand there already.
    run("xdotool", {"mousemove", "0", "0"});
    QorProcess::click(main, nextPage);
    return qor.waitForWindow(toolsTitle);
}

} // namespace

class ToolsWindowEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void nextPageShowsTheToolsWindowCentredAndHidesTheMainWindow() {
        QorProcess qor;
        const qulonglong tools = openTools(qor);
        QVERIFY2(tools, "the tools window did not appear");
        QVERIFY(qor.waitForWindowGone(mainTitle));
        const QRect client = QorProcess::clientArea(tools);
        QCOMPARE(client.size(), QSize(551, 324));
        // Borderless: the window manager gives it no frame, so the client area is the whole window.
        QCOMPARE(run("xprop", {"-id", QString::number(tools), "_NET_FRAME_EXTENTS"}),
                 "_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0");
        QVERIFY2(
            (client.center() - QPoint(639, 511)).manhattanLength() <= 2,
            qPrintable(
                QStringLiteral("centre %1,%2").arg(client.center().x()).arg(client.center().y())));
        QVERIFY(QorProcess::waitUntilActive(tools));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }

    void altF4PlaysTheExitStepByStepAndEndsTheProgram() {
        QorProcess qor;
        const qulonglong tools = openTools(qor);
        QVERIFY(tools);
        QVERIFY(QorProcess::waitUntilActive(tools));
        const QRect start = QorProcess::clientArea(tools);
        GeometryWatch watch(tools);

        QorProcess::key("alt+F4");

        watch.collectUntilExit(qor, 30000);
        QVERIFY(!qor.running());
        QCOMPARE(qor.exitCode(), 0);
        verifyEveryStepWasShown(watch.places, start);
    }

    void sigtermWhileHiddenEndsTheProgramAfterTheHiddenExit() {
        QorProcess qor;
        const qulonglong tools = openTools(qor);
        QVERIFY(tools);
        const QRect start = QorProcess::clientArea(tools);
        QorProcess::click(tools, closeButton);
        QVERIFY(qor.waitForWindowGone(toolsTitle));
        // The hidden exit must not end the program on its own: a span with nothing to await.
        QVERIFY(!qor.waitForExit(300));
        QCOMPARE(run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(qor.pid())}),
                 QString());
        GeometryWatch watch(tools);

        qor.signal(SIGTERM);

        watch.collectUntilExit(qor, 30000);
        QVERIFY(!qor.running());
        QCOMPARE(qor.exitCode(), 0);
        verifyEveryStepWasShown(watch.places, start);
    }
};

QTEST_GUILESS_MAIN(ToolsWindowEndToEnd)
#include "tst_e2e_tools.moc"
