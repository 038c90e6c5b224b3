#include "BuildValues.h"
#include "support/Fakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace qor;
using namespace qor::test;

namespace {

// The text a control shows: a text box's contents, a label's or button's caption, a frame's
// title; nothing for the others.
QString shownText(const QWidget& control) {
    if (const auto* box = qobject_cast<const QLineEdit*>(&control))
        return box->text();
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(&control))
        return frame->title();
    return {};
}

} // namespace

// Every window and control as its description lays it out, in pixels of 15 twips.
class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void windowsAreBuiltAsDescribed_data() {
        QTest::addColumn<WindowName>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("frameless");
        QTest::addColumn<bool>("fixedSize");
        QTest::addColumn<bool>("keyPreview");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("firstFocus");
        QTest::addColumn<QColor>("back");
        const QPalette system = QApplication::palette();
        QTest::newRow("tip") << WindowName::Form4 << "VORPEX TIP" << QSize(418, 252) << false
                             << false << false << false << "Text1"
                             << system.color(QPalette::Highlight);
        QTest::newRow("closing notice")
            << WindowName::Form5 << "CLOSING IN PROCESS" << QSize(506, 92) << false << false
            << false << false << "" << QColor(192, 0, 0);
        QTest::newRow("screen saver")
            << WindowName::form6 << "Screen Saver" << QSize(10160, 7410) << true << false << false
            << false << "Command1" << system.color(QPalette::ButtonText);
        QTest::newRow("about") << WindowName::frmSplash << "" << QSize(568, 339) << false << true
                               << true << true << "Picture1" << system.color(QPalette::ButtonText);
        QTest::newRow("splash") << WindowName::frmSplash1 << "" << QSize(508, 286) << false << true
                                << true << true << "Picture1" << QColor(0, 192, 0);
    }
    void windowsAreBuiltAsDescribed() {
        QFETCH(WindowName, window);
        QFETCH(QString, title);
        QFETCH(QSize, client);
        QFETCH(bool, frameless);
        QFETCH(bool, fixedSize);
        QFETCH(bool, keyPreview);
        QFETCH(bool, centred);
        QFETCH(QString, firstFocus);
        QFETCH(QColor, back);
        TestProgram program;
        program.show(window);
        LiveWindow& live = program.window(window);
        QVERIFY(QTest::qWaitForWindowActive(&live));
        QCOMPARE(live.windowTitle(), title);
        QCOMPARE(live.clientSize(), client);
        // The screen saver, far larger than the screen, is made natively no larger than it.
        const QSize screen = live.screen()->virtualSize();
        QCOMPARE(live.size(), client.boundedTo(screen));
        QCOMPARE(live.windowHandle()->size(), client.boundedTo(screen));
        QCOMPARE(live.backingStore()->size(), client.boundedTo(screen));
        QCOMPARE(live.HeightTwips(),
                 float((live.frameGeometry().height() - live.height() + client.height()) * 15));
        QCOMPARE(bool(live.windowFlags() & Qt::FramelessWindowHint), frameless);
        QCOMPARE(live.frameGeometry() == live.geometry(), frameless);
        if (fixedSize) {
            QCOMPARE(live.minimumSize(), client);
            QCOMPARE(live.maximumSize(), client);
        } else {
            QVERIFY(live.minimumSize() != live.maximumSize());
        }
        QCOMPARE(live.description().keyPreview, keyPreview);
        // The others stand where the platform puts them.
        if (centred)
            QTRY_VERIFY(isCentred(live));
        QCOMPARE(live.focusWidget(), firstFocus.isEmpty() ? nullptr : &live.control(firstFocus));
        QCOMPARE(live.grab(QRect(2, 2, 1, 1)).toImage().pixelColor(0, 0), back);
    }

    // A frame's controls stand in it, relative to its top-left corner.
    void controlsStandWhereTheDescriptionPutsThem_data() {
        QTest::addColumn<WindowName>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, WindowName window, const char* control,
                            const QRect& pixels, const QString& text, const char* frame = "") {
            QTest::newRow(name) << window << QString::fromLatin1(control)
                                << QString::fromLatin1(frame) << pixels << text;
        };
        using enum WindowName;
        row("main Calculator", Form1, "Command1", {416, 8, 57, 57}, "Calculator");
        row("main Win Pop Up", Form1, "Command2", {416, 80, 57, 65}, "Win Pop Up");
        row("main NEXT PAGE", Form1, "Command3", {0, 200, 65, 105}, "NEXT PAGE");
        row("main About", Form1, "Command4", {416, 160, 57, 57}, "About");
        row("main NotePad", Form1, "Command5", {416, 240, 57, 57}, "NotePad");
        row("main picture", Form1, "Picture1", {8, 16, 249, 177}, "");
        row("main SPLASH SCREEN", Form1, "Command6", {80, 232, 65, 73}, "SPLASH SCREEN");
        row("main Tips", Form1, "Command7", {80, 200, 161, 17}, "Tips");
        row("main close", Form1, "Command8", {80, 216, 161, 17}, "Click here To Close My Proggy");
        row("main Freaky", Form1, "Command9", {272, 56, 129, 25}, "Freaky~ Hypo~");

        row("tools Close", Frmprogress, "Command1", {0, 288, 233, 33}, "Close");
        row("tools Defragment", Frmprogress, "Command2", {8, 8, 81, 25}, "Defragment");
        row("tools Scandisk", Frmprogress, "Command3", {104, 8, 89, 25}, "Scandisk");
        row("tools Call SomeOne", Frmprogress, "Command4", {208, 8, 81, 25}, "Call SomeOne");
        row("tools Explore", Frmprogress, "Command5", {8, 48, 81, 33}, "Explore Windows");
        row("tools Shut Down", Frmprogress, "Command6", {104, 48, 89, 33}, "Shut Down Pc");
        row("tools Control Panel", Frmprogress, "Command7", {208, 48, 81, 33}, "Control Panel");
        row("tools Paint", Frmprogress, "Command8", {8, 104, 81, 33}, "Paint");
        row("tools Media Player", Frmprogress, "Command9", {104, 104, 89, 33}, "Media Player");
        row("tools Add And Remove", Frmprogress, "Command10", {208, 104, 81, 33}, "Add And Remove");
        row("tools New Hardware", Frmprogress, "Command11", {8, 152, 81, 41}, "New Hardware");
        row("tools Text1", Frmprogress, "Text1", {336, 72, 201, 25}, "Text1");
        row("tools Splash Screen", Frmprogress, "Command12", {304, 272, 233, 33}, "Splash Screen");
        row("tools Label1", Frmprogress, "Label1", {336, 40, 201, 33},
            "$ecret 0ptions Enter Pase Here");

        row("about picture", frmSplash, "Picture1", {48, 32, 433, 121}, "");
        row("about OK", frmSplash, "Command1", {192, 296, 153, 41}, "OK");
        row("splash picture", frmSplash1, "Picture1", {16, 24, 481, 153}, "");

        row("tip text", Form4, "Text1", {32, 48, 329, 25},
            "Did You Know That  You Can Find The Windows Reg. Code?      ");
        row("tip label", Form4, "Label1", {40, 96, 345, 65},
            "E-mail Me To Find Out More... " + QString::fromUtf8(build::contactAddress));
        row("notice label", Form5, "Label1", {0, 8, 497, 73},
            "WHY DO YOU WANT TO SHUT DOWN YOUR PC? OK THEN!");
        row("saver button", form6, "Command1", {16, 8, 89, 17}, "Close");
        row("saver label", form6, "Label1", {120, 8, 145, 17}, "Created By Brannock");

        const char* frame = "fraStep3(0)";
        row("data source OK", frmODBCLogon, "cmdOK", {61, 177, 96, 30}, "&OK");
        row("data source Cancel", frmODBCLogon, "cmdCancel", {168, 177, 96, 30}, "Cancel");
        row("data source frame", frmODBCLogon, frame, {8, 8, 282, 161}, "Connection Values");
        row("data source DSN label", frmODBCLogon, "lblStep3(1)", {9, 19, 26, 13}, "&DSN:", frame);
        row("data source DSN list", frmODBCLogon, "cboDSNList", {75, 16, 200, 21}, "", frame);
        row("data source UID label", frmODBCLogon, "lblStep3(2)", {9, 42, 22, 13}, "&UID:", frame);
        row("data source UID", frmODBCLogon, "txtUID", {75, 40, 201, 20}, "", frame);
        row("data source password label", frmODBCLogon, "lblStep3(3)", {9, 65, 49, 13},
            "&Password:", frame);
        row("data source password", frmODBCLogon, "txtPWD", {75, 62, 201, 20}, "", frame);
        row("data source database label", frmODBCLogon, "lblStep3(4)", {9, 88, 49, 13},
            "Data&base:", frame);
        row("data source database", frmODBCLogon, "txtDatabase", {75, 84, 201, 20}, "", frame);
        row("data source driver label", frmODBCLogon, "lblStep3(5)", {9, 111, 31, 13},
            "Dri&ver:", frame);
        row("data source drivers", frmODBCLogon, "cboDrivers", {75, 106, 201, 21}, "", frame);
        row("data source server label", frmODBCLogon, "lblStep3(6)", {9, 134, 34, 13},
            "&Server:", frame);
        row("data source server", frmODBCLogon, "txtServer", {75, 129, 201, 22}, "", frame);
    }
    void controlsStandWhereTheDescriptionPutsThem() {
        QFETCH(WindowName, window);
        QFETCH(QString, control);
        QFETCH(QString, frame);
        QFETCH(QRect, pixels);
        QFETCH(QString, text);
        TestProgram program;
        program.show(window);
        LiveWindow& live = program.window(window);
        QWidget& shown = live.control(control);
        QCOMPARE(shown.parentWidget(), frame.isEmpty() ? &live : &live.control(frame));
        QCOMPARE(shown.geometry(), pixels);
        QCOMPARE(shownText(shown), text);
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
