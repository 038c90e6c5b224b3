#include "support/Fakes.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace qor;
using namespace qor::test;

namespace {

using State = WindowRegistry::State;

const QString tipText =
    QStringLiteral("Did You Know That  You Can Find The Windows Reg. Code?      ");

QColor paletteColour(QPalette::ColorRole role) {
    return QApplication::palette().color(role);
}

// One pixel of what the window shows, without grabbing the whole of a very large window.
QColor shownPixel(QWidget& widget, QPoint at) {
    return widget.grab(QRect(at, QSize(1, 1))).toImage().pixelColor(0, 0);
}

} // namespace

class StaticWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void coloursAndLinesShow_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        const int tip = int(WindowName::Form4);
        const int notice = int(WindowName::Form5);
        // Line1 runs from (24, 176) to (384, 232) in pixels; this is its middle.
        QTest::newRow("tip line") << tip << "" << QPoint(204, 204)
                                  << paletteColour(QPalette::ButtonText);
        QTest::newRow("tip label ground")
            << tip << "Label1" << QPoint(340, 60) << QColor(128, 0, 0);
        QTest::newRow("notice label ground")
            << notice << "Label1" << QPoint(490, 68) << QColor(0, 0, 192);
        QTest::newRow("saver ground") << int(WindowName::form6) << "" << QPoint(1200, 1000)
                                      << paletteColour(QPalette::ButtonText);
    }
    void coloursAndLinesShow() {
        QFETCH(int, window);
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        TestProgram program;
        program.show(WindowName(window));
        LiveWindow& live = program.window(WindowName(window));
        QCOMPARE(shownPixel(control.isEmpty() ? live : live.control(control), at), colour);
    }

    void noticeLabelTextIsInTheHighlightTextColour() {
        TestProgram program;
        program.show(WindowName::Form5);
        const QWidget& label = program.window(WindowName::Form5).control("Label1");
        QCOMPARE(label.palette().color(QPalette::WindowText),
                 paletteColour(QPalette::HighlightedText));
    }

    // The two rounded squares take the smaller side of their box, centred in it: Shape1 stands
    // far to the right of any screen.
    void screenSaverFiguresStandWhereTheirBoxesPutThem() {
        TestProgram program;
        program.show(WindowName::form6);
        LiveWindow& live = program.window(WindowName::form6);
        QCOMPARE(live.shape("Shape3").kind(), ShapeKind::Rectangle);
        QCOMPARE(live.shape("Shape3").figure(), QRectF(3480, 960, 6375, 6855));
        QCOMPARE(live.shape("Shape2").kind(), ShapeKind::RoundedSquare);
        QCOMPARE(live.shape("Shape2").figure(), QRectF(2700, 480, 7935, 7935));
        QCOMPARE(live.shape("Shape1").kind(), ShapeKind::RoundedSquare);
        QCOMPARE(live.shape("Shape1").figure(), QRectF(108006, 240, 33333, 33333));
    }

    void screenSaverCoversTheScreenFromWhereItIsPlaced() {
        TestProgram program;
        program.show(WindowName::Form1);
        program.window(WindowName::Form1).button("Command9").click();
        LiveWindow& live = program.window(WindowName::form6);
        QVERIFY(QTest::qWaitForWindowExposed(&live));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect placed = live.frameGeometry();
        QVERIFY2(screen.contains(placed.topLeft()), "placed off the screen");
        QVERIFY(placed.right() >= screen.right());
        QVERIFY(placed.bottom() >= screen.bottom());
        QCOMPARE(QApplication::activeWindow(), &live);
    }

    void screenSaverCloseButtonLeavesItOpen_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Space") << "Space";
    }
    void screenSaverCloseButtonLeavesItOpen() {
        QFETCH(QString, how);
        TestProgram program;
        program.show(WindowName::Form1);
        program.show(WindowName::form6);
        LiveWindow& live = program.window(WindowName::form6);
        QVERIFY(QTest::qWaitForWindowActive(&live));
        QPushButton& close = live.button("Command1");
        QCOMPARE(live.focusWidget(), &close);
        int pressed = 0;
        connect(&close, &QPushButton::clicked, &live, [&] { ++pressed; });
        if (how == "mouse")
            QTest::mouseClick(&close, Qt::LeftButton);
        else
            QTest::keyClick(live.windowHandle(), how == "Enter" ? Qt::Key_Return : Qt::Key_Space);
        QCOMPARE(pressed, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(program.registry.state(WindowName::form6), State::Shown);
        QCOMPARE(program.registry.window(WindowName::form6), &live);
        QVERIFY(live.isVisible());
        QVERIFY(program.messages.messages.isEmpty());
        QVERIFY(program.launcher.launches.isEmpty());
    }

    void closeCommandUnloadsOnlyThatWindow_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("altF4");
        QTest::newRow("tip, close box") << int(WindowName::Form4) << false;
        QTest::newRow("notice, close box") << int(WindowName::Form5) << false;
        QTest::newRow("saver, close box") << int(WindowName::form6) << false;
        QTest::newRow("saver, Alt+F4") << int(WindowName::form6) << true;
    }
    void closeCommandUnloadsOnlyThatWindow() {
        QFETCH(int, window);
        QFETCH(bool, altF4);
        TestProgram program;
        program.show(WindowName::Form1);
        program.show(WindowName::frmSplash1);
        program.show(WindowName(window));
        LiveWindow& live = program.window(WindowName(window));
        QVERIFY(QTest::qWaitForWindowActive(&live));
        if (altF4)
            QTest::keyClick(live.windowHandle(), Qt::Key_F4, Qt::AltModifier);
        else
            live.close();
        QCOMPARE(program.registry.state(WindowName(window)), State::NotLoaded);
        QCOMPARE(program.registry.state(WindowName::Form1), State::Shown);
        QCOMPARE(program.registry.state(WindowName::frmSplash1), State::Shown);
        QVERIFY(!program.ended());
        QVERIFY(program.messages.messages.isEmpty());
    }

    void tipTextIsExactOnEachBuildAndEditsAreLostOnUnload() {
        TestProgram program;
        program.show(WindowName::Form1);
        QPushButton& tips = program.window(WindowName::Form1).button("Command7");
        tips.click();
        LiveWindow* tip = &program.window(WindowName::Form4);
        QCOMPARE(tip->textBox("Text1").Text(), tipText);
        QVERIFY(QTest::qWaitForWindowActive(tip));
        QTest::keyClicks(&tip->textBox("Text1"), "edited");
        const QString edited = tip->textBox("Text1").Text();
        QVERIFY(edited != tipText);

        tips.click(); // the window is loaded: the same one comes to the front, edits and all
        QCOMPARE(program.registry.window(WindowName::Form4), tip);
        QCOMPARE(tip->textBox("Text1").Text(), edited);

        tip->close();
        QCOMPARE(program.registry.state(WindowName::Form4), State::NotLoaded);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tips.click();
        tip = &program.window(WindowName::Form4);
        QCOMPARE(tip->textBox("Text1").Text(), tipText);
    }

    // The text is longer than its box once its trailing blanks count: it must open showing "Did
    // You Know That", with the cursor before the first character, not scrolled to its end.
    void tipTextOpensAtItsFirstCharacter() {
        TestProgram program;
        program.show(WindowName::Form4);
        LiveWindow& tip = program.window(WindowName::Form4);
        QVERIFY(QTest::qWaitForWindowActive(&tip));
        TextBox& box = tip.textBox("Text1");
        QCOMPARE(box.cursorPosition(), 0);
        const int cursorLeft = box.inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        QVERIFY2(cursorLeft < 8, qPrintable(QString::number(cursorLeft)));
    }

    void closeSequenceEndsWithTheNoticeShownAndTheMainWindowGone() {
        TestProgram program;
        program.show(WindowName::Form1);
        program.window(WindowName::Form1).button("Command8").click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(program.registry.state(WindowName::Form1), State::NotLoaded);
        QCOMPARE(program.registry.window(WindowName::Form1), nullptr);
        QCOMPARE(program.registry.state(WindowName::Form5), State::Shown);
        LiveWindow& notice = program.window(WindowName::Form5);
        QVERIFY(notice.isVisible());
        QCOMPARE(notice.windowTitle(), "CLOSING IN PROCESS");
        QVERIFY(!program.ended());
        // The notice is the last loaded window: closing it ends the program normally.
        notice.close();
        QCOMPARE(program.quitStatus, std::optional<int>(0));
    }
};

QTEST_MAIN(StaticWindowsTest)
#include "tst_infostatic.moc"
