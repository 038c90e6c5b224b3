#include "support/HiddenPath.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"
#include "support/XEvents.h"

#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

// The program's windows from the bottom of the window manager's stack to its top.
QList<qulonglong> stackingOrder() {
    const QString out = run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
    QList<qulonglong> ids;
    for (const QString& id : out.section(u'#', 1).split(u',', Qt::SkipEmptyParts))
        ids << id.trimmed().toULongLong(nullptr, 16);
    return ids;
}

} // namespace

class LoginEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void wrongThenRightPasswordOpensTheOptionsWindow() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong main = qor.waitForWindow(mainTitle);
        QVERIFY2(main, "the main window did not appear");
        QorProcess::click(main, nextPage);
        const qulonglong tools = qor.waitForWindow(toolsTitle);
        QVERIFY2(tools, "the tools window did not appear");
        const qulonglong login = enterSecretWord(qor, tools);
        QVERIFY2(login, "the login dialog did not appear");
        QVERIFY2(QorProcess::waitUntilActive(login), "the login dialog did not get the focus");

        // The first focus is in the user name; the password follows it in tab order.
        QorProcess::type("me");
        QorProcess::key("Tab");
        QorProcess::type("quilx");
        QorProcess::key("Return");
        QVERIFY2(closeBoxWithEnter(qor, "Lets See"), "no \"Lets See\" box");
        QVERIFY2(closeBoxWithEnter(qor, "Login"), "no \"Login\" box");
        QVERIFY2(QorProcess::waitUntilActive(login), "the login dialog did not get the focus back");

        // The wrong password is selected whole, so typing replaces it.
        QorProcess::type("quilt");
        QorProcess::key("Return");
        QVERIFY2(closeBoxWithEnter(qor, "Lets See"), "no second \"Lets See\" box");
        QVERIFY2(closeBoxWithEnter(qor, "Way 2 Go!"), "no \"Way 2 Go!\" box");
        QVERIFY2(qor.waitForWindow(optionsTitle), "the options window did not appear");
        QVERIFY2(qor.waitForWindowGone(loginTitle), "the login dialog is still on screen");
        QVERIFY(qor.running());

        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }

    // The options window's handler shows the data source dialog and then its notice at once,
    // before the window manager has reported the dialog active. Once the notice is closed the
    // dialog, which the program showed last, is the active window and stands above Form3.
    void theDataSourceDialogIsActiveAfterTheOptionsNotice() {
        QorProcess qor;
        QVERIFY(qor.start());
        const QString failed = openDataSourceDialog(qor);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        const qulonglong dialog = qor.waitForWindow(dataSourceTitle);
        const qulonglong options = qor.waitForWindow(optionsTitle);
        QVERIFY(dialog && options);
        XEvents x;
        QVERIFY2(x.waitFor([&] { return x.activeWindow() == dialog; }, 5000),
                 "the data source dialog is not active");
        // Late news from the window manager must not hand the activation back to Form3: nothing
        // is awaited here, so the span is watched whole and each change of the active window
        // is looked at as it comes.
        const bool lost = x.waitFor([&] { return x.activeWindow() != dialog; }, 500);
        QVERIFY2(!lost, "the activation went back from the data source dialog");
        const QList<qulonglong> stack = stackingOrder();
        QVERIFY2(stack.indexOf(dialog) > stack.indexOf(options), "Form3 stands over the dialog");

        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
    }
};

QTEST_GUILESS_MAIN(LoginEndToEnd)
#include "tst_e2e_login.moc"
