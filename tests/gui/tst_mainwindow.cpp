#include "support/Fakes.h"
#include "support/StubWindow.h"
#include "windows/main/Form1.h"

#include <QLabel>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// The main window with every window it shows replaced by a stub, so that these tests see only
// what the main window does.
std::vector<WindowType> mainWithStubs() {
    return withStubs(allWindowTypes(),
                     {WindowName::Frmprogress, WindowName::frmSplash, WindowName::frmSplash1,
                      WindowName::Form4, WindowName::Form5, WindowName::form6});
}

QPushButton& buttonOf(TestProgram& program, const char* name) {
    return program.window(WindowName::Form1).button(name);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void windowIsCentredWithItsCaptionAndFocusOnCalculator() {
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        LiveWindow& window = program.window(WindowName::Form1);
        QCOMPARE(window.windowTitle(), "Vorpex & Dalmor's QOR");
        QCOMPARE(window.size(), QSize(490, 308));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(isCentred(window));
        QCOMPARE(window.focusWidget(), &window.control("Command1"));
        // The picture box shows the top-left corner of the logo: the black panel.
        const QImage shown = window.control("Picture1").grab().toImage();
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::black));
    }

    void tabGoesFromNotePadToThePictureToSplashScreen() {
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        LiveWindow& window = program.window(WindowName::Form1);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.control("Command5").setFocus();
        QTest::keyClick(&window.control("Command5"), Qt::Key_Tab);
        QCOMPARE(window.focusWidget(), &window.control("Picture1"));
        QTest::keyClick(&window.control("Picture1"), Qt::Key_Tab);
        QCOMPARE(window.focusWidget(), &window.control("Command6"));
    }

    void windowButtonsShowTheirWindow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("hidesMain");
        QTest::newRow("NEXT PAGE") << "Command3" << int(WindowName::Frmprogress) << true;
        QTest::newRow("About") << "Command4" << int(WindowName::frmSplash) << false;
        QTest::newRow("SPLASH SCREEN") << "Command6" << int(WindowName::frmSplash1) << false;
        QTest::newRow("Tips") << "Command7" << int(WindowName::Form4) << false;
        QTest::newRow("Freaky") << "Command9" << int(WindowName::form6) << false;
    }
    void windowButtonsShowTheirWindow() {
        QFETCH(QString, button);
        QFETCH(int, window);
        QFETCH(bool, hidesMain);
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        buttonOf(program, qPrintable(button)).click();
        LiveWindow* shown = program.registry.window(WindowName(window));
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(program.registry.state(WindowName::Form1),
                 hidesMain ? WindowRegistry::State::Hidden : WindowRegistry::State::Shown);
        QVERIFY(program.launcher.launches.isEmpty());
    }

    void closeSequenceShowsTheNoticeLaunchesThenUnloads() {
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        QStringList order;
        program.launcher.onStart = [&] {
            order << QStringLiteral("launch with notice %1, main %2")
                         .arg(int(program.registry.state(WindowName::Form5)))
                         .arg(int(program.registry.state(WindowName::Form1)));
        };
        buttonOf(program, "Command8").click();
        QCOMPARE(order, QStringList{"launch with notice 1, main 1"}); // both shown
        QCOMPARE(program.launcher.launches,
                 QList<Launch>{(Launch{"Rundll32.exe user,exitwindows", ShowStyle::Minimized})});
        QCOMPARE(program.registry.state(WindowName::Form1), WindowRegistry::State::NotLoaded);
        QCOMPARE(program.registry.state(WindowName::Form5), WindowRegistry::State::Shown);
        QVERIFY(!program.ended());
        program.closeAll();
        QVERIFY(program.ended());
    }

    void failedLaunchInTheCloseSequenceKeepsNoticeAndMainWindow() {
        TestProgram program(mainWithStubs());
        program.launcher.missing << "Rundll32.exe";
        program.show(WindowName::Form1);
        buttonOf(program, "Command8").click();
        QCOMPARE(program.messages.messages,
                 QList<Message>{(Message{"File not found: Rundll32.exe", MessageStyle::Stop, {}})});
        QCOMPARE(program.registry.state(WindowName::Form5), WindowRegistry::State::Shown);
        QCOMPARE(program.registry.state(WindowName::Form1), WindowRegistry::State::Shown);
        QVERIFY(!program.ended());
        // Once the program is there, the same button runs the whole sequence.
        program.launcher.missing.clear();
        buttonOf(program, "Command8").click();
        QCOMPARE(program.launcher.launches,
                 QList<Launch>{(Launch{"Rundll32.exe user,exitwindows", ShowStyle::Minimized})});
        QCOMPARE(program.registry.state(WindowName::Form1), WindowRegistry::State::NotLoaded);
        QCOMPARE(program.messages.messages.size(), 1);
    }

    void closeCommandUnloadsWithoutNoticeOrLaunchAndEndsTheProgram_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("close box") << false;
        QTest::newRow("Alt+F4 that no window manager took") << true;
    }
    void closeCommandUnloadsWithoutNoticeOrLaunchAndEndsTheProgram() {
        QFETCH(bool, byKey);
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        LiveWindow& window = program.window(WindowName::Form1);
        if (byKey)
            QTest::keyClick(&window.control("Command1"), Qt::Key_F4, Qt::AltModifier);
        else
            window.close();
        QVERIFY(program.launcher.launches.isEmpty());
        QCOMPARE(program.registry.state(WindowName::Form5), WindowRegistry::State::NotLoaded);
        QCOMPARE(program.registry.state(WindowName::Form1), WindowRegistry::State::NotLoaded);
        QCOMPARE(program.quitStatus, std::optional<int>(0));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
