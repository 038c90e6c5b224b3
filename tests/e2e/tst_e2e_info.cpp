#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

const QString saverTitle = titleOf(WindowName::form6);
const QRect screen(0, 0, 1280, 1024);

const QPoint about = centreOf(WindowName::Form1, "Command4");
const QPoint freakyHypo = centreOf(WindowName::Form1, "Command9");
const QSize aboutClient = clientSizeOf(WindowName::frmSplash);
const QPoint splashScreen = centreOf(WindowName::Form1, "Command6");
const QSize splashClient = clientSizeOf(WindowName::frmSplash1);

QList<qulonglong> visibleWindowsOf(qint64 pid) {
    QList<qulonglong> ids;
    const QString out = run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
    for (const QString& id : out.split(u'\n', Qt::SkipEmptyParts))
        ids << id.toULongLong();
    return ids;
}

// The about and splash windows have empty captions, so they are found by their process
// (_NET_WM_PID, set by Qt) and by their client size, which no other window of the program has.
qulonglong waitForWindowOfSize(qint64 pid, QSize size, int timeoutMs = 10000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        for (qulonglong id : visibleWindowsOf(pid))
            if (QorProcess::clientArea(id).size() == size)
                return id;
        QThread::msleep(50);
    }
    return 0;
}

qulonglong activeWindow() {
    return run("xdotool", {"getactivewindow"}).toULongLong();
}

// The window manager's frame around a client: left, right, top, bottom; empty until the window
// manager has set it.
QList<int> frameExtents(qulonglong window) {
    const QString out = run("xprop", {"-id", QString::number(window), "_NET_FRAME_EXTENTS"});
    QList<int> extents;
    for (const auto& m : QRegularExpression(R"(\d+)").globalMatch(out.section(u'=', 1)))
        extents << m.captured().toInt();
    return extents;
}

} // namespace

class InfoWindowsEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void aboutShowsCentredAndALetterKeyClosesIt() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong main = qor.waitForWindow(mainTitle);
        QVERIFY2(main, "the main window did not appear");
        QorProcess::click(main, about);
        const qulonglong window = waitForWindowOfSize(qor.pid(), aboutClient);
        QVERIFY2(window, "the about window did not appear");

        // The window manager frames the window after it is mapped, and the window centres itself
        // again once it knows its frame.
        const auto centred = [&] {
            const QList<int> frame = frameExtents(window);
            if (frame.size() != 4)
                return false;
            const QRect client = QorProcess::clientArea(window);
            const QRect outer = client.adjusted(-frame[0], -frame[2], frame[1], frame[3]);
            return (outer.center() - screen.center()).manhattanLength() <= 2;
        };
        QVERIFY2(QTest::qWaitFor(centred, 5000), "the about window is not centred");

        QVERIFY2(QTest::qWaitFor([&] { return activeWindow() == window; }, 10000),
                 "the about window did not take the focus");
        QorProcess::key("q");
        const auto closed = [&] { return !visibleWindowsOf(qor.pid()).contains(window); };
        QVERIFY2(QTest::qWaitFor(closed, 10000), "a letter key did not close the about window");
        QVERIFY(qor.running());
        QVERIFY(qor.waitForWindow(mainTitle, 2000));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    // What the window manager shows in the title bar: _NET_WM_NAME, and WM_NAME for window
    // managers that read only that. Qt puts the application's name there for an empty title.
    void emptyCaptionsGiveEmptyTitles_data() {
        QTest::addColumn<QPoint>("button");
        QTest::addColumn<QSize>("client");
        QTest::newRow("about") << about << aboutClient;
        QTest::newRow("splash") << splashScreen << splashClient;
    }
    void emptyCaptionsGiveEmptyTitles() {
        QFETCH(QPoint, button);
        QFETCH(QSize, client);
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong main = qor.waitForWindow(mainTitle);
        QVERIFY2(main, "the main window did not appear");
        QorProcess::click(main, button);
        const qulonglong window = waitForWindowOfSize(qor.pid(), client);
        QVERIFY2(window, "the window did not appear");
        const QString id = QString::number(window);
        // xprop prints a set but empty property as its name and type followed by " =".
        QCOMPARE(run("xprop", {"-id", id, "_NET_WM_NAME"}), "_NET_WM_NAME(UTF8_STRING) =");
        QCOMPARE(run("xprop", {"-id", id, "WM_NAME"}), "WM_NAME(STRING) =");
        QVERIFY(qor.running());
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    void freakyHypoCoversTheScreenUntilAltF4() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong main = qor.waitForWindow(mainTitle);
        QVERIFY2(main, "the main window did not appear");
        QorProcess::click(main, freakyHypo);
        const qulonglong saver = qor.waitForWindow(saverTitle);
        QVERIFY2(saver, "the screen saver window did not appear");

        const QList<int> noFrame{0, 0, 0, 0};
        const auto frameless = [&] { return frameExtents(saver) == noFrame; };
        QVERIFY2(QTest::qWaitFor(frameless, 10000), "the screen saver window has a frame");
        // Described far larger than the screen, its native window is no larger than the screen.
        const QRect area = QorProcess::clientArea(saver);
        QCOMPARE(area.size(), screen.size());
        QVERIFY2(screen.contains(area.topLeft()) && area.right() >= screen.right() &&
                     area.bottom() >= screen.bottom(),
                 qPrintable(QStringLiteral("placed at %1,%2").arg(area.x()).arg(area.y())));
        QVERIFY2(QTest::qWaitFor([&] { return activeWindow() == saver; }, 10000),
                 "the screen saver window is not the active window");

        QorProcess::key("alt+F4");
        QVERIFY2(qor.waitForWindowGone(saverTitle), "Alt+F4 did not close the screen saver");
        QVERIFY(qor.running());
        QCOMPARE(qor.waitForWindow(mainTitle, 2000), main);
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
        QCOMPARE(qor.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(InfoWindowsEndToEnd)
#include "tst_e2e_info.moc"
