#include "BuildValues.h"
#include "support/Fakes.h"

#include <QApplication>
#include <QBackingStore>
#include <QLabel>
#include <QLineEdit>
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

    void windowsAreBuiltAsDescribed_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("frameless");
        QTest::addColumn<QString>("firstFocus");
        QTest::newRow("tip") << int(WindowName::Form4) << "VORPEX TIP" << QSize(418, 252) << false
                             << "Text1";
        QTest::newRow("closing notice")
            << int(WindowName::Form5) << "CLOSING IN PROCESS" << QSize(506, 92) << false << "";
        QTest::newRow("screen saver")
            << int(WindowName::form6) << "Screen Saver" << QSize(10160, 7410) << true << "Command1";
    }
    void windowsAreBuiltAsDescribed() {
        QFETCH(int, window);
        QFETCH(QString, title);
        QFETCH(QSize, client);
        QFETCH(bool, frameless);
        QFETCH(QString, firstFocus);
        TestProgram program;
        program.show(WindowName(window));
        LiveWindow& live = program.window(WindowName(window));
        QVERIFY(QTest::qWaitForWindowActive(&live));
        QCOMPARE(live.windowTitle(), title);
        QCOMPARE(live.clientSize(), client);
        // The screen saver, far larger than the screen, is made natively no larger than it.
        const QSize screen = live.screen()->virtualSize();
        QCOMPARE(live.windowHandle()->size(), client.boundedTo(screen));
        QCOMPARE(live.backingStore()->size(), client.boundedTo(screen));
        QCOMPARE(live.HeightTwips(),
                 float((live.frameGeometry().height() - live.height() + client.height()) * 15));
        QCOMPARE(bool(live.windowFlags() & Qt::FramelessWindowHint), frameless);
        QCOMPARE(live.frameGeometry() == live.geometry(), frameless);
        // Unlike the splash windows, none of them is fixed in size.
        QVERIFY(live.minimumSize() != live.maximumSize());
        QCOMPARE(live.focusWidget(), firstFocus.isEmpty() ? nullptr : &live.control(firstFocus));
        program.event([&] { program.registry.closeAll(); });
    }

    void controlsStandWhereTheDescriptionPutsThem_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QString>("text");
        const int tip = int(WindowName::Form4);
        const int notice = int(WindowName::Form5);
        const int saver = int(WindowName::form6);
        QTest::newRow("tip text") << tip << "Text1" << QRect(32, 48, 329, 25) << tipText;
        QTest::newRow("tip label")
            << tip << "Label1" << QRect(40, 96, 345, 65)
            << "E-mail Me To Find Out More... " + QString::fromUtf8(build::contactAddress);
        QTest::newRow("notice label") << notice << "Label1" << QRect(0, 8, 497, 73)
                                      << "WHY DO YOU WANT TO SHUT DOWN YOUR PC? OK THEN!";
        QTest::newRow("saver button") << saver << "Command1" << QRect(16, 8, 89, 17) << "Close";
        QTest::newRow("saver label")
            << saver << "Label1" << QRect(120, 8, 145, 17) << "Created By Brannock";
    }
    void controlsStandWhereTheDescriptionPutsThem() {
        QFETCH(int, window);
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QFETCH(QString, text);
        TestProgram program;
        program.show(WindowName(window));
        QWidget& control = program.window(WindowName(window)).control(name);
        QCOMPARE(control.geometry(), pixels);
        if (auto* box = qobject_cast<QLineEdit*>(&control))
            QCOMPARE(box->text(), text);
        else if (auto* label = qobject_cast<QLabel*>(&control))
            QCOMPARE(label->text(), text);
        else
            QCOMPARE(qobject_cast<QPushButton*>(&control)->text(), text);
        program.event([&] { program.registry.closeAll(); });
    }

    void coloursAndLinesShow_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        const int tip = int(WindowName::Form4);
        const int notice = int(WindowName::Form5);
        QTest::newRow("tip ground")
            << tip << "" << QPoint(2, 2) << paletteColour(QPalette::Highlight);
        // Line1 runs from (24, 176) to (384, 232) in pixels; this is its middle.
        QTest::newRow("tip line") << tip << "" << QPoint(204, 204)
                                  << paletteColour(QPalette::ButtonText);
        QTest::newRow("tip label ground")
            << tip << "Label1" << QPoint(340, 60) << QColor(128, 0, 0);
        QTest::newRow("notice ground") << notice << "" << QPoint(2, 2) << QColor(192, 0, 0);
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
        program.event([&] { program.registry.closeAll(); });
    }

    void noticeLabelTextIsInTheHighlightTextColour() {
        TestProgram program;
        program.show(WindowName::Form5);
        const QWidget& label = program.window(WindowName::Form5).control("Label1");
        QCOMPARE(label.palette().color(QPalette::WindowText),
                 paletteColour(QPalette::HighlightedText));
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
        program.event([&] { program.registry.closeAll(); });
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
