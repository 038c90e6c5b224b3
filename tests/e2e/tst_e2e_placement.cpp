#include "support/HiddenPath.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"
#include "support/XEvents.h"

#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

// The way a user goes to a window that starts centred, up to the last step, which shows it.
enum class Way { Start, NextPage, About, SplashScreen, SecretWord, OptionsButton };

// Takes the steps before the last one; returns what went wrong, or an empty text.
QString stepsBefore(Way way, QorProcess& qor, qulonglong& last) {
    if (way == Way::Start)
        return {};
    if (!qor.start())
        return "qor did not start";
    last = qor.waitForWindow(mainTitle);
    if (!last)
        return "the main window did not appear";
    if (way == Way::NextPage || way == Way::About || way == Way::SplashScreen)
        return {};
    QorProcess::click(last, nextPage);
    last = qor.waitForWindow(toolsTitle);
    if (!last || !QorProcess::waitUntilActive(last))
        return "the tools window did not become active";
    if (way == Way::SecretWord) {
        QorProcess::click(last, centreOf(WindowName::Frmprogress, "Text1"));
        QorProcess::key("ctrl+a");
        return {};
    }
    return openOptionsFromTools(qor, last);
}

void lastStep(Way way, QorProcess& qor, qulonglong last) {
    switch (way) {
    case Way::Start:
        qor.start();
        break;
    case Way::NextPage:
        QorProcess::click(last, nextPage);
        break;
    case Way::About:
        QorProcess::click(last, centreOf(WindowName::Form1, "Command4"));
        break;
    case Way::SplashScreen:
        QorProcess::click(last, centreOf(WindowName::Form1, "Command6"));
        break;
    case Way::SecretWord:
        QorProcess::type("quilt");
        break;
    case Way::OptionsButton:
        QorProcess::click(last, centreOf(WindowName::Form3, "Command1"));
        break;
    }
}

QString describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

// Under whichever window manager runs (scripts/with-x.sh), a window that starts centred shows
// where it stays: framed and centred from the moment it is mapped.
class PlacementEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void centredWindowsShowWhereTheyStay_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<WindowName>("window");
        QTest::newRow("main window") << Way::Start << WindowName::Form1;
        QTest::newRow("tools (borderless)") << Way::NextPage << WindowName::Frmprogress;
        QTest::newRow("about") << Way::About << WindowName::frmSplash;
        QTest::newRow("splash screen") << Way::SplashScreen << WindowName::frmSplash1;
        QTest::newRow("login") << Way::SecretWord << WindowName::frmLogin;
        QTest::newRow("data source dialog") << Way::OptionsButton << WindowName::frmODBCLogon;
    }
    void centredWindowsShowWhereTheyStay() {
        QFETCH(Way, way);
        QFETCH(WindowName, window);
        const QSize client = clientSizeOf(window);
        QorProcess qor;
        qulonglong last = 0;
        const QString failed = stepsBefore(way, qor, last);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        // The watch reads the window's place at the map itself, before the program could hear of
        // its frame and move it: a window that is centred again later shows a different place.
        XEvents x;
        QVERIFY(x.connected());
        lastStep(way, qor, last);
        const std::optional<XEvents::FirstShown> first = x.waitForFirstShown(qor.pid(), client);
        QVERIFY2(first, "the window did not show");

        const QRect outer = first->client.marginsAdded(first->frame);
        const QPoint offCentre = outer.center() - QRect(0, 0, 1280, 1024).center();
        QVERIFY2(offCentre.manhattanLength() <= 1,
                 qPrintable("first shown with its frame at " + describe(outer)));
        x.watchFor(1000);
        QCOMPARE(x.clientArea(first->window), first->client);
        QCOMPARE(x.frameExtents(first->window), first->frame);
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }
};

QTEST_GUILESS_MAIN(PlacementEndToEnd)
#include "tst_e2e_placement.moc"
