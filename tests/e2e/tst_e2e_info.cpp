#include "support/WindowPlaces.h"
#include "support/X11Session.h"
#include "support/XEvents.h"

#include <QTest>
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

// The about and splash windows have empty captions, so they are found by their process
// (_NET_WM_PID, set by Qt) and by their client size, which no other window of the program has.
// The watch must begin before the click that shows the window.
qulonglong waitForWindowOfSize(XEvents& x, qint64 pid, QSize size) {
    const std::optional<XEvents::FirstShown> first = x.waitForFirstShown(pid, size);
    return first ? first->window : 0;
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
        XEvents x;
        QorProcess::click(main, about);
        const qulonglong window = waitForWindowOfSize(x, qor.pid(), aboutClient);
        QVERIFY2(window, "the about window did not appear");

        // Centred by its frame, which the window manager reports once it has framed the window;
        // its configure and property notices wake the wait.
        x.watch(window);
        const auto centred = [&] {
            const std::optional<QMargins> frame = x.reportedFrame(window);
            const QRect outer = x.clientArea(window).marginsAdded(frame.value_or(QMargins()));
            return frame && (outer.center() - screen.center()).manhattanLength() <= 2;
        };
        QVERIFY2(x.waitFor(centred, 5000), "the about window is not centred");

        QVERIFY2(x.waitFor([&] { return x.activeWindow() == window; }, 10000),
                 "the about window did not take the focus");
        QorProcess::key("q");
        const auto closed = [&] { return !x.visibleWindowsOf(qor.pid()).contains(window); };
        QVERIFY2(x.waitFor(closed, 10000), "a letter key did not close the about window");
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
        XEvents x;
        QorProcess::click(main, button);
        const qulonglong window = waitForWindowOfSize(x, qor.pid(), client);
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

        XEvents x;
        x.watch(saver);
        const auto frameless = [&] { return x.reportedFrame(saver) == QMargins(); };
        QVERIFY2(x.waitFor(frameless, 10000), "the screen saver window has a frame");
        // Described far larger than the screen, its native window is no larger than the screen.
        const QRect area = QorProcess::clientArea(saver);
        QCOMPARE(area.size(), screen.size());
        QVERIFY2(screen.contains(area.topLeft()) && area.right() >= screen.right() &&
                     area.bottom() >= screen.bottom(),
                 qPrintable(QStringLiteral("placed at %1,%2").arg(area.x()).arg(area.y())));
        QVERIFY2(x.waitFor([&] { return x.activeWindow() == saver; }, 10000),
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
