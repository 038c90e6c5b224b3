#include "support/Fakes.h"
#include "windows/main/Form1.h"

#include <QLabel>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

WindowDescription stubDescription() {
    return {.name = "Stub", .caption = "Stub", .clientWidth = 1500, .clientHeight = 1500};
}

// The main window with every window it shows replaced by a plain stub, so that these tests see
// only what the main window does.
std::vector<WindowType> mainWithStubs() {
    std::vector<WindowType> types = allWindowTypes();
    for (WindowName name : {WindowName::Frmprogress, WindowName::frmSplash, WindowName::frmSplash1,
                            WindowName::Form4, WindowName::Form5, WindowName::form6})
        types = withWindow(types, WindowType{name, &stubDescription});
    return types;
}

QPushButton& buttonOf(TestProgram& program, const char* name) {
    return program.window(WindowName::Form1).button(name);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void controlsStandWhereTheDescriptionPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Calculator") << "Command1" << QRect(416, 8, 57, 57) << "Calculator";
        QTest::newRow("Win Pop Up") << "Command2" << QRect(416, 80, 57, 65) << "Win Pop Up";
        QTest::newRow("NEXT PAGE") << "Command3" << QRect(0, 200, 65, 105) << "NEXT PAGE";
        QTest::newRow("About") << "Command4" << QRect(416, 160, 57, 57) << "About";
        QTest::newRow("NotePad") << "Command5" << QRect(416, 240, 57, 57) << "NotePad";
        QTest::newRow("picture") << "Picture1" << QRect(8, 16, 249, 177) << "";
        QTest::newRow("SPLASH SCREEN") << "Command6" << QRect(80, 232, 65, 73) << "SPLASH SCREEN";
        QTest::newRow("Tips") << "Command7" << QRect(80, 200, 161, 17) << "Tips";
        QTest::newRow("close") << "Command8" << QRect(80, 216, 161, 17)
                               << "Click here To Close My Proggy";
        QTest::newRow("Freaky") << "Command9" << QRect(272, 56, 129, 25) << "Freaky~ Hypo~";
    }
    void controlsStandWhereTheDescriptionPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QFETCH(QString, caption);
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        QWidget& control = program.window(WindowName::Form1).control(name);
        QCOMPARE(control.geometry(), pixels);
        if (auto* button = qobject_cast<QPushButton*>(&control))
            QCOMPARE(button->text(), caption);
        program.event([&] { program.registry.closeAll(); });
    }

    void windowIsCentredWithItsCaptionAndFocusOnCalculator() {
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        LiveWindow& window = program.window(WindowName::Form1);
        QCOMPARE(window.windowTitle(), "Vorpex & Dalmor's QOR");
        QCOMPARE(window.size(), QSize(490, 308));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QTRY_VERIFY((window.frameGeometry().center() - screenCentre).manhattanLength() <= 1);
        QCOMPARE(window.focusWidget(), &window.control("Command1"));
        // The picture box shows the top-left corner of the logo: the black panel.
        const QImage shown = window.control("Picture1").grab().toImage();
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::black));
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
    }

    void launchButtonsPassExactlyTheirRow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("style");
        QTest::newRow("Calculator") << "Command1"
                                    << "C:\\WINDOWS\\CALC.EXE" << 1;
        QTest::newRow("Win Pop Up") << "Command2"
                                    << "C:\\WINDOWS\\winpopup.exe" << 1;
        QTest::newRow("NotePad") << "Command5"
                                 << "notepad.exe" << 1;
    }
    void launchButtonsPassExactlyTheirRow() {
        QFETCH(QString, button);
        QFETCH(QString, commandLine);
        QFETCH(int, style);
        TestProgram program(mainWithStubs());
        program.show(WindowName::Form1);
        buttonOf(program, qPrintable(button)).click();
        buttonOf(program, qPrintable(button)).click();
        const Launch expected{commandLine, ShowStyle(style)};
        QCOMPARE(program.launcher.launches, (QList<Launch>{expected, expected}));
        QCOMPARE(program.registry.state(WindowName::Form1), WindowRegistry::State::Shown);
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
