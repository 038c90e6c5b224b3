#include "BuildValues.h"
#include "support/HiddenPath.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

const QPoint calculator = centreOf(WindowName::Form1, "Command1");
const QPoint toolsClose = centreOf(WindowName::Frmprogress, "Command1");

// The states the program can be in when a fault strikes, each reached as a user reaches it.
enum class State { MainShown, LaunchFailureBoxOpen, ToolsShown, ToolsHidden, LetsSeeBoxOpen };

bool reach(QorProcess& qor, State state) {
    const qulonglong main = qor.waitForWindow(mainTitle);
    if (!main || state == State::MainShown)
        return main != 0;
    if (state == State::LaunchFailureBoxOpen) {
        QorProcess::click(main, calculator);
        return qor.waitForWindow(QString::fromUtf8(qor::build::applicationTitle)) != 0;
    }
    QorProcess::click(main, nextPage);
    const qulonglong tools = qor.waitForWindow(toolsTitle);
    if (!tools || state == State::ToolsShown)
        return tools != 0;
    if (state == State::ToolsHidden) {
        QorProcess::click(tools, toolsClose);
        return qor.waitForWindowGone(toolsTitle);
    }
    const qulonglong login = enterSecretWord(qor, tools);
    if (!login || !QorProcess::waitUntilActive(login))
        return false;
    QorProcess::key("Tab");
    QorProcess::type("wrong");
    QorProcess::key("Return");
    return qor.waitForWindow("Lets See") != 0;
}

// A process that has ended but is not yet collected stands in state Z.
bool hasEnded(const QString& statFile) {
    QFile file(statFile);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray stat = file.readAll();
    const qsizetype afterName = stat.lastIndexOf(')');
    return afterName < 0 || stat.mid(afterName + 2, 1) == "Z";
}

} // namespace

Q_DECLARE_METATYPE(State)

class FaultsEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void logOffEndsTheProgramInEveryState_data() {
        QTest::addColumn<State>("state");
        QTest::newRow("main window shown") << State::MainShown;
        QTest::newRow("box of a missing program open") << State::LaunchFailureBoxOpen;
        QTest::newRow("tools window shown") << State::ToolsShown;
        QTest::newRow("tools window hidden") << State::ToolsHidden;
        QTest::newRow("\"Lets See\" box open") << State::LetsSeeBoxOpen;
    }
    void logOffEndsTheProgramInEveryState() {
        QFETCH(State, state);
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY2(reach(qor, state), "the state was not reached");
        qor.signal(SIGTERM);
        QVERIFY2(qor.waitForExit(30000), "the program did not end after SIGTERM");
        QCOMPARE(qor.exitCode(), 0);
    }

    // Signals keep coming until the process has ended: through the log-off, its unload handlers
    // and the teardown after the event loop.
    void aStormOfLogOffSignalsEndsTheProgramWithStatusZero() {
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY(reach(qor, State::ToolsShown));
        const QString stat = QStringLiteral("/proc/%1/stat").arg(qor.pid());
        const int signalNumbers[] = {SIGTERM, SIGHUP, SIGINT};
        int sent = 0;
        const QDeadlineTimer deadline(30000);
        // The process stays a zombie until this test collects it, so its id cannot be reused.
        while (!hasEnded(stat) && !deadline.hasExpired())
            qor.signal(signalNumbers[sent++ % 3]);
        QVERIFY2(hasEnded(stat), "the program did not end under the signals");
        QVERIFY(qor.waitForExit(10000));
        QVERIFY2(qor.exitedNormally(), "a signal ended the program");
        QCOMPARE(qor.exitCode(), 0);
        qInfo("%d signals sent", sent);
    }

    // The real launcher on a machine without the calculator: a box, and the program goes on.
    void missingProgramIsReportedAndTheProgramGoesOn() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong main = qor.waitForWindow(mainTitle);
        QVERIFY(main);
        QorProcess::click(main, calculator);
        QVERIFY2(closeBoxWithEnter(qor, QString::fromUtf8(qor::build::applicationTitle)),
                 "no box for the missing program");
        QVERIFY(qor.running());
        QCOMPARE(qor.waitForWindow(mainTitle), main);
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }

    // A window manager that asks the login dialog to close while its first box is up: the
    // program does not crash, and the click handler goes on once the box is answered.
    void loginClosedWhileItsBoxIsOpen() {
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY2(reach(qor, State::LetsSeeBoxOpen), "no \"Lets See\" box");
        run("wmctrl", {"-c", loginTitle});
        QVERIFY2(closeBoxWithEnter(qor, "Lets See"), "the box went away with its window");
        QVERIFY2(closeBoxWithEnter(qor, "Login"), "the handler did not go on after the box");
        QVERIFY2(qor.running(), qor.output().constData());
        // Qt refuses a close request for a window that a modal box blocks.
        QVERIFY(qor.waitForWindow(loginTitle));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(FaultsEndToEnd)
#include "tst_e2e_faults.moc"
