#include "app/Services.h"
#include "app/platform/QtKeystrokeService.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <csignal>

using namespace qor;
using namespace qor::test;

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(bin_.isValid());
        const QString dir = bin_.path();
        // The arguments are written to a side file and then renamed, so the test never reads a
        // half-written list.
        writeScript("notepad", QStringLiteral("printf '%s\\n' \"$@\" > '%1/args.tmp'\n"
                                              "mv '%1/args.tmp' '%1/args'\n")
                                   .arg(dir));
        // The sleeper lets go of the test's output at once: a test runner waits until every
        // holder of that pipe has closed it.
        writeScript("sleeper", QStringLiteral("exec >/dev/null 2>&1\n"
                                              "echo $$ > '%1/sleeper.started'\n"
                                              "sleep 5\n"
                                              "touch '%1/sleeper.finished' 2>/dev/null\n")
                                   .arg(dir));
        writeScript("broken", QString(), "#!/nonexistent/interpreter");
        writeScript("quick", QStringLiteral("echo $$ > '%1/quick.pid.tmp'\n"
                                            "mv '%1/quick.pid.tmp' '%1/quick.pid'\n")
                                 .arg(dir));
        qputenv("PATH", (dir + u':' + qEnvironmentVariable("PATH")).toLocal8Bit());
        // No desktop applications and no programs.conf: only PATH can yield a program.
        for (const char* variable :
             {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            qputenv(variable, bin_.filePath("empty").toLocal8Bit());
    }

    void cleanupTestCase() {
        QFile started(bin_.filePath("sleeper.started"));
        if (started.open(QIODevice::ReadOnly)) {
            const pid_t pid = started.readAll().trimmed().toInt();
            if (pid > 0)
                ::kill(pid, SIGTERM);
        }
    }

    void cleanup() { qDeleteAll(QApplication::topLevelWidgets()); }

    void startsProgramFoundOnPathWithItsArguments() {
        DesktopProgramLauncher launcher;
        launcher.start("notepad.exe a \"b c\"", ShowStyle::Minimized);
        QTRY_VERIFY(QFile::exists(bin_.filePath("args")));
        QFile args(bin_.filePath("args"));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll(), QByteArray("a\nb c\n"));
        QCOMPARE(launcher.lastShowStyle(), ShowStyle::Minimized);
    }

    void anEndedProgramLeavesNoZombie() {
        DesktopProgramLauncher launcher;
        launcher.start("quick", ShowStyle::Normal);
        QTRY_VERIFY(QFile::exists(bin_.filePath("quick.pid")));
        QFile pidFile(bin_.filePath("quick.pid"));
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const QString pid = QString::fromLatin1(pidFile.readAll()).trimmed();
        QVERIFY(!pid.isEmpty());
        // Once the program has ended, the event loop collects it: a zombie would keep its
        // /proc entry until this process ends.
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists("/proc/" + pid), 10000);
    }

    void returnsWithoutWaitingForTheProgram() {
        DesktopProgramLauncher launcher;
        launcher.start("sleeper", ShowStyle::Normal);
        // Had start waited for the program, its end marker would already be there.
        QVERIFY(!QFile::exists(bin_.filePath("sleeper.finished")));
        QTRY_VERIFY(QFile::exists(bin_.filePath("sleeper.started")));
        QVERIFY(!QFile::exists(bin_.filePath("sleeper.finished")));
    }

    // The first line names the program; what was looked for follows.
    void failsToLaunch_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing program") << "qor-no-such-program --flag"
                                         << "File not found: qor-no-such-program";
        QTest::newRow("windows path") << "C:\\WINDOWS\\CALC.EXE"
                                      << "File not found: C:\\WINDOWS\\CALC.EXE";
        QTest::newRow("missing path") << "/nonexistent/notepad x"
                                      << "File not found: /nonexistent/notepad";
        QTest::newRow("empty command line") << ""
                                            << "File not found: ";
        QTest::newRow("found but cannot start") << "broken.EXE"
                                                << "Cannot start: broken.EXE";
    }
    void failsToLaunch() {
        QFETCH(QString, commandLine);
        QFETCH(QString, message);
        DesktopProgramLauncher launcher;
        try {
            launcher.start(commandLine, ShowStyle::Normal);
            QFAIL("no launch failure");
        } catch (const LaunchFailure& failure) {
            QCOMPARE(failure.text().section(u'\n', 0, 0), message);
        }
    }

    void keysSelectTheWholeTextAfterTheHandlerReturns() {
        QLineEdit* field = showFocusedField("secret");
        QtKeystrokeService keystrokes;
        keystrokes.send("{Home}+{End}");
        QCOMPARE(field->selectedText(), QString());
        QCOMPARE(field->cursorPosition(), 6);
        QTRY_COMPARE(field->selectedText(), QString("secret"));
        QTest::keyClick(field, Qt::Key_X);
        QCOMPARE(field->text(), QString("x"));
    }

    void keysGoToTheWidgetFocusedAtDelivery() {
        QWidget window;
        auto* first = new QLineEdit(&window);
        auto* second = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QtKeystrokeService keystrokes;
        keystrokes.send("a+b{Left}{Backspace}");
        second->setFocus();
        QTRY_COMPARE(second->text(), QString("B"));
        QCOMPARE(first->text(), QString());
    }

    void malformedKeysFailAtTheCallAndSendNothing() {
        QLineEdit* field = showFocusedField("secret");
        QtKeystrokeService keystrokes;
        QVERIFY_THROWS_EXCEPTION(Failure, keystrokes.send("ab{Hom}"));
        // Keys are delivered in order, so once "z" has arrived anything queued before it has too.
        keystrokes.send("z");
        QTRY_COMPARE(field->text(), QString("secretz"));
    }

private:
    void writeScript(const QString& name, const QString& body,
                     const QString& interpreter = QStringLiteral("#!/bin/sh")) {
        QVERIFY(writeExecutable(bin_.filePath(name), interpreter + u'\n' + body));
    }

    QLineEdit* showFocusedField(const QString& text) {
        auto* field = new QLineEdit(text);
        field->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(field)); }();
        field->setFocus();
        return field;
    }

    QTemporaryDir bin_;
};

QTEST_MAIN(LauncherTest)
#include "tst_launcher.moc"
