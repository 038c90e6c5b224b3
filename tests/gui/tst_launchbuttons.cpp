#include "support/Fakes.h"
#include "ui/UserTime.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

using namespace qor;
using namespace qor::test;

// Every launch button of the main and tools windows, each with the command line and show style
// that it must hand to the launcher, as it stands in the window's launch table. The close
// sequence's launch (the main window's Command8) also unloads its window: the close-sequence
// tests of the main window press it, with and without its program.
class LaunchButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void launchButtonsPassExactlyTheirRow_data() {
        QTest::addColumn<WindowName>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<ShowStyle>("style");
        QTest::addColumn<bool>("programMissing");
        const auto row = [](const char* name, WindowName window, const char* button,
                            const char* commandLine, ShowStyle style) {
            for (const bool missing : {false, true})
                QTest::addRow("%s%s", name, missing ? ", program missing" : "")
                    << window << QString::fromLatin1(button) << QString::fromLatin1(commandLine)
                    << style << missing;
        };
        using enum WindowName;
        using enum ShowStyle;
        row("main Calculator", Form1, "Command1", "C:\\WINDOWS\\CALC.EXE", Normal);
        row("main Win Pop Up", Form1, "Command2", "C:\\WINDOWS\\winpopup.exe", Normal);
        row("main NotePad", Form1, "Command5", "notepad.exe", Normal);
        row("tools Defragment", Frmprogress, "Command2", "defrag", Minimized);
        row("tools Scandisk", Frmprogress, "Command3", "scandskw", Minimized);
        row("tools Call SomeOne", Frmprogress, "Command4", "dialer", Minimized);
        row("tools Explore Windows", Frmprogress, "Command5", "explorer", Normal);
        row("tools Shut Down Pc", Frmprogress, "Command6", "Rundll32.exe user,exitwindows",
            Minimized);
        row("tools Control Panel", Frmprogress, "Command7", "control", Normal);
        row("tools Paint", Frmprogress, "Command8", "pbrush", Normal);
        row("tools Media Player", Frmprogress, "Command9", "mplayer", Normal);
        row("tools Add And Remove", Frmprogress, "Command10",
            "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1", Show);
        row("tools New Hardware", Frmprogress, "Command11",
            "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1", Show);
    }
    // A missing program is named in the failure message and the window and the program go on;
    // once the program is there, the same button starts it. Each press starts it again, and the
    // window stays where it stood.
    void launchButtonsPassExactlyTheirRow() {
        QFETCH(WindowName, window);
        QFETCH(QString, button);
        QFETCH(QString, commandLine);
        QFETCH(ShowStyle, style);
        QFETCH(bool, programMissing);
        TestProgram program;
        program.loadMainWindowHidden();
        program.show(window);
        LiveWindow& live = program.window(window);
        const QRect place = live.frameGeometry();
        if (programMissing) {
            const QString missing = commandLine.section(u' ', 0, 0);
            program.launcher.missing = {missing};
            live.button(button).click();
            QCOMPARE(program.messages.messages.size(), 1);
            QCOMPARE(program.messages.messages[0].style, MessageStyle::Stop);
            QVERIFY2(program.messages.messages[0].prompt.contains(missing),
                     qPrintable(program.messages.messages[0].prompt));
            QVERIFY(program.launcher.launches.isEmpty());
            QVERIFY(!program.ended());
            QCOMPARE(program.registry.state(window), WindowRegistry::State::Shown);
            program.launcher.missing.clear();
        }
        live.button(button).click();
        live.button(button).click();
        const Launch expected{commandLine, style};
        QCOMPARE(program.launcher.launches, (QList<Launch>{expected, expected}));
        QCOMPARE(program.messages.messages.size(), programMissing ? 1 : 0);
        QVERIFY(!program.ended());
        QCOMPARE(program.registry.state(window), WindowRegistry::State::Shown);
        QCOMPARE(live.frameGeometry(), place);
        // The star field and the slide-away exit that unloading would start have tests of their
        // own.
        program.event([&] { program.registry.End(); });
    }

    // The launcher gives the started program's feedback the user time at the moment it starts
    // (UserTime.h): the window system's time of the input that made the click, whether the
    // pointer or the keyboard made it. Each row has times of its own, so that no row passes on a
    // time left by another.
    void launchSeesTheTimeOfTheTriggeringInput_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<quint32>("pressTime");
        QTest::addColumn<quint32>("releaseTime");
        QTest::addColumn<quint32>("triggeringTime");
        // A button clicks when the pointer button or Space is released.
        QTest::newRow("pointer click") << "pointer" << 1000u << 1010u << 1010u;
        QTest::newRow("Space") << "space" << 2000u << 2020u << 2020u;
        // Return presses the focused button as it goes down.
        QTest::newRow("Return") << "return" << 3000u << 3030u << 3000u;
    }
    void launchSeesTheTimeOfTheTriggeringInput() {
        QFETCH(QString, input);
        QFETCH(quint32, pressTime);
        QFETCH(quint32, releaseTime);
        QFETCH(quint32, triggeringTime);
        TestProgram program;
        program.show(WindowName::Form1);
        LiveWindow& live = program.window(WindowName::Form1);
        QVERIFY(QTest::qWaitForWindowActive(&live));
        QPushButton& calculator = live.button("Command1");
        calculator.setFocus();
        quint32 seen = 0;
        program.launcher.onStart = [&] { seen = userTime(); };
        // Events as the platform hands them over: each with its time, the keys to the focused
        // control.
        const auto send = [&](bool press, quint32 time) {
            if (input == "pointer") {
                const QPointF at = calculator.rect().center();
                QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, at,
                                  calculator.mapToGlobal(at), Qt::LeftButton,
                                  press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                event.setTimestamp(time);
                QApplication::sendEvent(&calculator, &event);
            } else {
                const bool space = input == "space";
                QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease,
                                space ? Qt::Key_Space : Qt::Key_Return, Qt::NoModifier,
                                space ? " " : "\r");
                event.setTimestamp(time);
                QApplication::sendEvent(QApplication::focusWidget(), &event);
            }
        };
        send(true, pressTime);
        send(false, releaseTime);
        QCOMPARE(program.launcher.launches.size(), 1);
        QCOMPARE(seen, triggeringTime);
        program.event([&] { program.registry.End(); });
    }
};

QTEST_MAIN(LaunchButtonsTest)
#include "tst_launchbuttons.moc"
