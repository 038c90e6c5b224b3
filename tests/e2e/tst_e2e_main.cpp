#include "support/DrawnParts.h"
#include "support/FixtureDesktop.h"
#include "support/HiddenPath.h"
#include "support/TestFiles.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"
#include "support/XEvents.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

const QPoint calculator = centreOf(WindowName::Form1, "Command1");
const QPoint notePad = centreOf(WindowName::Form1, "Command5");
const QPoint winPopUp = centreOf(WindowName::Form1, "Command2");
const QPoint closeMyProggy = centreOf(WindowName::Form1, "Command8");

// Writes a calculator and a text editor as desktop entries, the editor the default for plain
// text, and Xfce's log-out command on PATH; returns the environment that uses that desktop.
QProcessEnvironment withFixtureDesktop(FixtureDesktop& desktop) {
    desktop.pathProgram("xfce4-session-logout", "logout");
    desktop.entry("calc.desktop", "Utility;Calculator;", {}, "%F");
    desktop.entry("editor.desktop", {}, "MimeType=text/plain;\n", "%F");
    desktop.write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(desktop.environment("XFCE"));
    return environment;
}

// qor started on that desktop. `main` is its main window once it is up, else 0 and `failure`
// says why.
struct OnFixtureDesktop {
    QTemporaryDir folder;
    FixtureDesktop desktop{folder.path()};
    QorProcess qor{withFixtureDesktop(desktop)};
    qulonglong main = 0;
    QString failure;

    OnFixtureDesktop() {
        if (!desktop.failures().isEmpty())
            failure = "cannot write " + desktop.failures();
        else if (!qor.start())
            failure = "qor did not start";
        else if (main = qor.waitForWindow(mainTitle); !main)
            failure = "the main window did not appear";
    }
};

// Points of Form1's open surface in client pixels: one near the centre of the screen, where a
// message box stands, one near the bottom edge, which no message box reaches, and one far from
// any drawing, which shows the back colour.
const QPoint underTheBox(300, 150);
const QPoint besideTheBox(200, 290);
const QPoint plainSurface(370, 210);

// The ripple's outermost ring is 17 pixels from its centre.
constexpr int rippleReach = 17;

QImage screenshot() {
    QProcess import;
    import.start("import", {"-window", "root", "png:-"});
    if (!import.waitForFinished(10000))
        return {};
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

// A screenshot once it shows what `shows` looks for: taken again each time the window draws
// something more, for at most five seconds, and the last one is returned either way.
QImage screenshotWhen(DrawnParts& drawing, const std::function<bool(const QImage&)>& shows) {
    const QDeadlineTimer deadline(5000);
    for (;;) {
        drawing.forget();
        const QImage screen = screenshot();
        if (shows(screen) || deadline.hasExpired() ||
            !drawing.waitUntilDrawn({}, int(deadline.remainingTime())))
            return screen;
    }
}

// The ripple's rings along a line to the right of its centre, as the screen shows them.
QList<QColor> rings(const QImage& screen, QPoint centre) {
    QList<QColor> colours;
    for (int ring = 2; ring <= rippleReach; ++ring)
        colours << screen.pixelColor(centre + QPoint(ring, 0));
    return colours;
}

} // namespace

class MainWindowEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void appearsCentredWithItsCaption() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY2(window, "the main window did not appear");
        // The frame is the one the window manager reports: each draws its own.
        XEvents x;
        const QRect client = x.clientArea(window);
        const QRect frame = client.marginsAdded(x.frameExtents(window));
        const bool centred = (frame.center() - QPoint(639, 511)).manhattanLength() <= 1;
        QCOMPARE(client.size(), clientSizeOf(WindowName::Form1));
        QVERIFY2(centred, qPrintable(QStringLiteral("frame centre %1,%2")
                                         .arg(frame.center().x())
                                         .arg(frame.center().y())));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    void notePadStartsTheProgramFoundOnPath() {
        QTemporaryDir bin;
        const QString marker = bin.filePath("started");
        QVERIFY(writeExecutable(bin.filePath("notepad"),
                                QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(marker)));
        QorProcess qor(withFirstOnPath(bin.path()));
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY(window);
        QorProcess::click(window, notePad);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QVERIFY(qor.running());
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    void calculatorAndNotePadStartTheDesktopsApplications_data() {
        QTest::addColumn<QPoint>("button");
        QTest::addColumn<QString>("record");
        QTest::newRow("Calculator") << calculator << "calc";
        QTest::newRow("NotePad") << notePad << "editor";
    }
    void calculatorAndNotePadStartTheDesktopsApplications() {
        QFETCH(QPoint, button);
        QFETCH(QString, record);
        OnFixtureDesktop s;
        QVERIFY2(s.main, qPrintable(s.failure));
        QorProcess::click(s.main, button);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(s.desktop.recordFile(record)), 10000);
        QVERIFY(s.qor.running());
        QVERIFY(s.qor.waitForWindow(mainTitle, 2000));
        s.qor.signal(SIGTERM);
        QVERIFY(s.qor.waitForExit());
    }

    // The notice comes up, the desktop's log-out dialog is asked for, the main window is
    // maximized for its star field and then goes; the notice stays until the session ends.
    void closeSequenceAsksTheDesktopsLogOutDialog() {
        OnFixtureDesktop s;
        QVERIFY2(s.main, qPrintable(s.failure));
        QProcess states;
        states.start("xprop", {"-spy", "-id", QString::number(s.main), "_NET_WM_STATE"});
        QVERIFY(states.waitForStarted());
        QorProcess::click(s.main, closeMyProggy);
        QVERIFY2(s.qor.waitForWindow(titleOf(WindowName::Form5)), "no closing notice");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(s.desktop.recordFile("logout")), 10000);
        QVERIFY(s.qor.waitForWindowGone(mainTitle, 30000));
        states.terminate();
        QVERIFY(states.waitForFinished());
        QVERIFY2(states.readAllStandardOutput().contains("_NET_WM_STATE_MAXIMIZED_VERT"),
                 "the main window was not maximized for the star field");
        QVERIFY(s.qor.running());
        s.qor.signal(SIGTERM);
        QVERIFY(s.qor.waitForExit());
    }

    void winPopUpReportsTheMissingProgramAndGoesOn() {
        OnFixtureDesktop s;
        QVERIFY2(s.main, qPrintable(s.failure));
        QorProcess::click(s.main, winPopUp);
        QVERIFY2(dismiss(s.qor, "QOR"), "no failure message");
        QVERIFY(s.qor.running());
        QVERIFY(s.qor.waitForWindow(mainTitle, 2000));
        s.qor.signal(SIGTERM);
        QVERIFY(s.qor.waitForExit());
    }

    // A message box over a ripple, and a minimize and restore under pointer circles: the part
    // that the platform repaints shows the back colour again; drawings elsewhere stay.
    void platformRepaintsWipeTheDrawingsThere() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY(window);
        QVERIFY(QorProcess::waitUntilActive(window));
        const QRect client = QorProcess::clientArea(window);
        const QPoint at = client.topLeft();
        XEvents x;
        x.watch(window);
        DrawnParts drawing(x, window);
        QVERIFY2(drawing.watching(), "the X server does not report drawing (no Damage extension)");
        QorProcess::click(window, underTheBox);
        QorProcess::click(window, besideTheBox);
        // Each ripple's outermost ring is drawn last, in white.
        const auto rimWhite = [&](QPoint centre) {
            return [=](const QImage& screen) {
                return screen.pixelColor(at + centre + QPoint(rippleReach, 0)) == Qt::white;
            };
        };
        const QImage drawn = screenshotWhen(drawing, [&](const QImage& screen) {
            return rimWhite(underTheBox)(screen) && rimWhite(besideTheBox)(screen);
        });
        const QColor back = drawn.pixelColor(at + plainSurface);
        const QList<QColor> allBack(rippleReach - 1, back);
        QVERIFY(rings(drawn, at + underTheBox) != allBack);
        QCOMPARE(drawn.pixelColor(at + underTheBox + QPoint(rippleReach, 0)), QColor(Qt::white));
        const QList<QColor> sideRipple = rings(drawn, at + besideTheBox);
        QVERIFY(sideRipple != allBack);

        QorProcess::click(window, winPopUp);
        const qulonglong box = qor.waitForWindow("QOR");
        QVERIFY2(box, "no failure message");
        const QRect boxArea = QorProcess::clientArea(box);
        const QRect rippleSquare(at + underTheBox - QPoint(rippleReach, rippleReach),
                                 QSize(2 * rippleReach + 1, 2 * rippleReach + 1));
        QVERIFY2(boxArea.contains(rippleSquare), "the message box does not cover the ripple");
        QVERIFY2(!boxArea.intersects(rippleSquare.translated(besideTheBox - underTheBox)),
                 "the message box covers the other ripple too");
        QorProcess::activate(box);
        drawing.forget();
        QorProcess::key("Return");
        QVERIFY(qor.waitForWindowGone("QOR"));
        // The uncovered part is looked at once the window has drawn there again.
        QVERIFY2(drawing.waitUntilDrawn(rippleSquare.translated(-at)),
                 "the part the message box uncovered was not drawn again");
        const QImage uncovered = screenshotWhen(drawing, [&](const QImage& screen) {
            return rings(screen, at + underTheBox) == allBack;
        });
        QCOMPARE(rings(uncovered, at + underTheBox), allBack);
        QCOMPARE(rings(uncovered, at + besideTheBox), sideRipple);

        // Pointer circles where the pointer passed, then the pointer leaves the window, so that
        // the screenshot shows no pointer there.
        drawing.forget();
        run("xdotool", {"mousemove", QString::number(at.x() + plainSurface.x()),
                        QString::number(at.y() + plainSurface.y())});
        QVERIFY2(drawing.waitUntilDrawn(QRect(plainSurface, QSize(3, 1))),
                 "nothing was drawn under the pointer");
        run("xdotool", {"mousemove", "5", "1015"});
        const QImage circled = screenshotWhen(drawing, [&](const QImage& screen) {
            return screen.pixelColor(at + plainSurface + QPoint(2, 0)) != back;
        });
        QVERIFY(circled.pixelColor(at + plainSurface + QPoint(2, 0)) != back);
        QCOMPARE(rings(circled, at + besideTheBox), sideRipple);

        run("xdotool", {"windowminimize", QString::number(window)});
        QVERIFY(x.waitFor([&] { return !x.visibleWindowsOf(qor.pid()).contains(window); }, 5000));
        drawing.forget();
        QorProcess::activate(window);
        QVERIFY(QorProcess::waitUntilActive(window));
        QVERIFY2(drawing.waitUntilDrawn(QRect(QPoint(0, 0), client.size())),
                 "the restored window was not drawn again");
        const QImage restored = screenshotWhen(drawing, [&](const QImage& screen) {
            return screen.pixelColor(at + plainSurface + QPoint(2, 0)) == back &&
                   rings(screen, at + besideTheBox) == allBack;
        });
        QCOMPARE(restored.pixelColor(at + plainSurface + QPoint(2, 0)), back);
        QCOMPARE(rings(restored, at + besideTheBox), allBack);
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }

    void closeBoxEndsTheProgram() {
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY(qor.waitForWindow(mainTitle));
        run("wmctrl", {"-c", mainTitle});
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }

    void sigtermEndsTheProgram() {
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY(qor.waitForWindow(mainTitle));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(MainWindowEndToEnd)
#include "tst_e2e_main.moc"
