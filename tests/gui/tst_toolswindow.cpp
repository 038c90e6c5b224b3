#include "support/DarkScheme.h"
#include "support/StubWindow.h"
#include "support/ToolsShown.h"
#include "ui/ReadableText.h"
#include "windows/options/SecretWord.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// Stands in for the login dialog, with a field whose contents must survive being shown again.
WindowDescription loginStub() {
    return {.name = "LoginStub",
            .caption = "Login",
            .clientWidth = 3000,
            .clientHeight = 1500,
            .controls = {{.name = "txtPassword",
                          .kind = ControlKind::TextBox,
                          .box = {100, 100, 2000, 300},
                          .tabIndex = 0}}};
}

// The windows the tools window shows are stubs, so these tests see only what it does.
struct ToolsBeforeStubs : ToolsShown {
    ToolsBeforeStubs()
        : ToolsShown(
              withWindow(withStubs(allWindowTypes(), {WindowName::Form1, WindowName::frmSplash1}),
                         WindowType{WindowName::frmLogin, &loginStub})) {}
    QPushButton& button(const char* name) { return tools->button(name); }
    TextBox& text1() { return tools->textBox("Text1"); }
    WindowRegistry::State login() const { return program.registry.state(WindowName::frmLogin); }
};

int shareOfColour(const QImage& image, const QColor& colour) {
    int same = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            same += image.pixelColor(x, y) == colour;
    return 100 * same / (image.width() * image.height());
}

// Edits of Text1 as the user makes them: "clear" empties it with the keyboard, "select" selects
// it all, "type:" types, "paste:" pastes from the clipboard, "back" and "delete" delete one
// character, "home" puts the cursor at the start.
void edit(TextBox& box, const QStringList& steps) {
    for (const QString& step : steps) {
        const QString argument = step.section(u':', 1);
        if (step == "clear" || step == "select")
            QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        if (step == "clear")
            QTest::keyClick(&box, Qt::Key_Backspace);
        else if (step.startsWith("type:"))
            QTest::keyClicks(&box, argument);
        else if (step.startsWith("paste:")) {
            QGuiApplication::clipboard()->setText(argument);
            QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        } else if (step == "back")
            QTest::keyClick(&box, Qt::Key_Backspace);
        else if (step == "delete")
            QTest::keyClick(&box, Qt::Key_Delete);
        else if (step == "home")
            QTest::keyClick(&box, Qt::Key_Home);
    }
}

} // namespace

class ToolsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void windowIsBorderlessCentredWithFocusOnClose() {
        ToolsBeforeStubs s;
        QCOMPARE(s.tools->windowTitle(), "Form2");
        QCOMPARE(s.tools->size(), QSize(551, 324));
        QVERIFY(s.tools->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(s.tools->frameGeometry(), s.tools->geometry());
        QVERIFY(isCentred(*s.tools));
        QCOMPARE(s.tools->focusWidget(), &s.button("Command1"));
        QCOMPARE(s.tools->grab().toImage().pixelColor(540, 200),
                 QApplication::palette().color(QPalette::Highlight));
        QCOMPARE(s.program.registry.state(WindowName::Form1), WindowRegistry::State::Hidden);
    }

    void tabFollowsTheTabIndexesAndSkipsTheLabel() {
        ToolsBeforeStubs s;
        QStringList order;
        for (int i = 0; i < 14; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"Command1", "Command2", "Command3", "Command4", "Command5",
                                     "Command6", "Command7", "Command8", "Command9", "Command10",
                                     "Command11", "Text1", "Command12", "Command1"}));
    }

    // Graphical buttons show their back colour whatever the widget style; most of the face is
    // that colour, around the caption.
    void buttonsShowTheirBackColourInEveryStyle_data() {
        QTest::addColumn<QString>("style");
        QTest::newRow("default") << QString();
        for (const QString& key : QStyleFactory::keys())
            QTest::newRow(qPrintable(key)) << key;
    }
    void buttonsShowTheirBackColourInEveryStyle() {
        QFETCH(QString, style);
        const QString original = QApplication::style()->name();
        if (!style.isEmpty())
            QApplication::setStyle(style);
        {
            ToolsBeforeStubs s;
            for (const char* red : {"Command1", "Command2", "Command6", "Command11"})
                QVERIFY2(shareOfColour(s.button(red).grab().toImage(), QColor(255, 0, 0)) > 50,
                         red);
            QVERIFY(shareOfColour(s.button("Command12").grab().toImage(), QColor(0, 64, 0)) > 50);
        }
        QApplication::setStyle(original);
    }

    void labelAndTextBoxShowTheirColoursAndTheMask() {
        ToolsBeforeStubs s;
        const QPalette system = QApplication::palette();
        auto& label = static_cast<QLabel&>(s.tools->control("Label1"));
        QCOMPARE(label.grab().toImage().pixelColor(195, 30), system.color(QPalette::WindowText));
        QCOMPARE(label.palette().color(QPalette::WindowText),
                 system.color(QPalette::HighlightedText));
        TextBox& text1 = s.text1();
        QCOMPARE(text1.grab().toImage().pixelColor(190, 12), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(text1.Text(), "Text1");
        QCOMPARE(text1.displayText(), QString(5, QChar(0xBF)));
        QTest::keyClicks(&text1, "ab");
        QCOMPARE(text1.displayText(), QString(7, QChar(0xBF)));
    }

    // A dark scheme resolves the label's window text back (8) and highlighted text fore (14) to
    // near-white and white: the text takes the scheme's contrasting colour instead, and returns
    // to its own when the scheme does.
    void theSecretLabelStaysReadableUnderADarkScheme() {
        const QPalette original = QApplication::palette();
        const QPalette dark = darkScheme(original);
        QApplication::setPalette(dark);
        {
            ToolsBeforeStubs s;
            auto& label = static_cast<QLabel&>(s.tools->control("Label1"));
            const QImage shown = label.grab().toImage();
            QCOMPARE(shown.pixelColor(195, 30), QColor(235, 235, 235));
            QCOMPARE(label.palette().color(QPalette::WindowText), QColor(20, 20, 24));
            int textPixels = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    textPixels += contrastRatio(shown.pixelColor(x, y), QColor(235, 235, 235)) > 3;
            QVERIFY2(textPixels > 100, qPrintable(QString::number(textPixels)));
            QApplication::setPalette(original);
            QTRY_COMPARE(label.palette().color(QPalette::WindowText),
                         original.color(QPalette::HighlightedText));
        }
        QApplication::setPalette(original);
    }

    void shapeIsARoundedSquareCentredInItsBox() {
        ToolsBeforeStubs s;
        const LiveShape& shape = s.tools->shape("Shape1");
        QCOMPARE(shape.kind(), ShapeKind::RoundedSquare);
        QCOMPARE(shape.figure(), QRectF(2160, 2040, 1095, 1095));
        // 1095 twips is 73 pixels from (144, 136): the outline runs along the bottom edge, and
        // the corner is rounded off (the top edge lies under "Media Player").
        const QImage window = s.tools->grab().toImage();
        const QColor back = QApplication::palette().color(QPalette::Highlight);
        QVERIFY(window.pixelColor(180, 209) != back);
        QCOMPARE(window.pixelColor(180, 205), back);
        QCOMPARE(window.pixelColor(217, 209), back);
        QVERIFY(window.pixelColor(217, 180) != back);
    }

    void closeHidesAndTheProgramRunsOnWithNoWindowVisible() {
        ToolsBeforeStubs s;
        s.text1().setText("kept");
        QTest::mouseMove(s.tools, QPoint(450, 200));
        const QRect place = s.tools->frameGeometry();
        QTest::mouseClick(&s.button("Command1"), Qt::LeftButton);
        QCOMPARE(s.program.registry.state(WindowName::Frmprogress), WindowRegistry::State::Hidden);
        QVERIFY(!s.tools->isVisible());
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
        QTest::qWait(50);
        QVERIFY(!s.program.ended());
        // No exit ran: the window stands where it stood, with its text and its shape.
        QCOMPARE(s.tools->frameGeometry(), place);
        QCOMPARE(s.text1().Text(), "kept");
        QCOMPARE(s.tools->shape("Shape1").Left(), 6750.f);
        QVERIFY(s.program.launcher.launches.isEmpty());
    }

    void splashScreenShowsOneSplashWindow() {
        ToolsBeforeStubs s;
        s.button("Command12").click();
        LiveWindow* splash = s.program.registry.window(WindowName::frmSplash1);
        QVERIFY(splash && splash->isVisible());
        s.button("Command12").click();
        QCOMPARE(s.program.registry.window(WindowName::frmSplash1), splash);
        QCOMPARE(s.program.registry.state(WindowName::Frmprogress), WindowRegistry::State::Shown);
    }

    void loginOpensOnlyWhenTheWholeTextIsTheWord_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("opens");
        QTest::newRow("initial text") << QStringList{} << false;
        QTest::newRow("typed") << QStringList{"clear", "type:quilt"} << true;
        QTest::newRow("typed over the selection") << QStringList{"select", "type:quilt"} << true;
        QTest::newRow("pasted") << QStringList{"clear", "paste:quilt"} << true;
        QTest::newRow("pasted over the selection") << QStringList{"select", "paste:quilt"} << true;
        QTest::newRow("a letter deleted and typed again")
            << QStringList{"clear", "type:quilx", "back", "type:t"} << true;
        QTest::newRow("reached by deleting the last character")
            << QStringList{"clear", "paste:quilts", "back"} << true;
        QTest::newRow("reached by deleting the first character")
            << QStringList{"clear", "paste:xquilt", "home", "delete"} << true;
        QTest::newRow("only a prefix") << QStringList{"clear", "type:quil"} << false;
        QTest::newRow("capital first") << QStringList{"clear", "type:Quilt"} << false;
        QTest::newRow("all capitals") << QStringList{"clear", "paste:QUILT"} << false;
        QTest::newRow("blank before") << QStringList{"clear", "type: quilt"} << false;
        QTest::newRow("blank after") << QStringList{"clear", "paste:quilt "} << false;
        QTest::newRow("blanks around") << QStringList{"clear", "paste: quilt "} << false;
        QTest::newRow("inside a longer text") << QStringList{"clear", "paste:aquiltb"} << false;
        QTest::newRow("longer text") << QStringList{"clear", "paste:quilts"} << false;
        QTest::newRow("a tab after") << QStringList{"clear", "paste:quilt\t"} << false;
    }
    void loginOpensOnlyWhenTheWholeTextIsTheWord() {
        QFETCH(QStringList, steps);
        QFETCH(bool, opens);
        ToolsBeforeStubs s;
        s.text1().setFocus();
        edit(s.text1(), steps);
        QCOMPARE(s.login(),
                 opens ? WindowRegistry::State::Shown : WindowRegistry::State::NotLoaded);
        QCOMPARE(s.program.registry.state(WindowName::Frmprogress), WindowRegistry::State::Shown);
        QCOMPARE(s.text1().Text() == secretWord, opens && !steps.isEmpty());
    }

    // Every change that makes the text equal shows the one login dialog again, with its
    // contents; the field itself is left as it is.
    void loginShowsAgainOnEveryEquality() {
        ToolsBeforeStubs s;
        s.text1().setFocus();
        edit(s.text1(), {"clear", "type:quilt"});
        LiveWindow* login = s.program.registry.window(WindowName::frmLogin);
        QVERIFY(login && login->isVisible());
        login->textBox("txtPassword").setText("typed in the dialog");
        s.program.event([&] { s.program.registry.Hide(WindowName::frmLogin); });

        edit(s.text1(), {"back"});
        QCOMPARE(s.login(), WindowRegistry::State::Hidden);
        edit(s.text1(), {"type:t"});
        QCOMPARE(s.login(), WindowRegistry::State::Shown);
        QCOMPARE(s.program.registry.window(WindowName::frmLogin), login);
        QCOMPARE(login->textBox("txtPassword").Text(), "typed in the dialog");
        QCOMPARE(s.text1().Text(), secretWord);

        s.program.event([&] { s.program.registry.Unload(WindowName::frmLogin); });
        edit(s.text1(), {"select", "paste:quilt"});
        QCOMPARE(s.login(), WindowRegistry::State::Shown);
        QCOMPARE(s.program.registry.window(WindowName::frmLogin)->textBox("txtPassword").Text(),
                 "");
    }

    void shapeFollowsThePointerOverTheSurfaceOnly_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<bool>("moves");
        QTest::newRow("open surface") << QPoint(450, 200) << true;
        QTest::newRow("over the shape") << QPoint(180, 170) << true;
        QTest::newRow("over a button") << QPoint(48, 20) << false;
        QTest::newRow("over Close") << QPoint(100, 300) << false;
        QTest::newRow("over the text box") << QPoint(430, 84) << false;
        QTest::newRow("over the label") << QPoint(430, 50) << false;
    }
    void shapeFollowsThePointerOverTheSurfaceOnly() {
        QFETCH(QPoint, pointer);
        QFETCH(bool, moves);
        ToolsBeforeStubs s;
        // Qt drops a move to where the pointer already is; "Splash Screen" takes this one.
        QTest::mouseMove(s.tools, QPoint(400, 290));
        QTest::mouseMove(s.tools, pointer);
        const LiveShape& shape = s.tools->shape("Shape1");
        QCOMPARE(shape.Left(), moves ? float(pointer.x() * 15) : 1800.f);
        QCOMPARE(shape.Top(), moves ? float(pointer.y() * 15) : 2040.f);
    }

    // QTest cannot aim at (0, 0): it reads the null point as the widget's centre.
    void pointerAtTheCornerPutsTheShapeThere() {
        ToolsBeforeStubs s;
        QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), s.tools->mapToGlobal(QPointF(0, 0)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(s.tools, &move);
        QCOMPARE(s.tools->shape("Shape1").Left(), 0.f);
        QCOMPARE(s.tools->shape("Shape1").Top(), 0.f);
    }

    // A drag that leaves the window keeps sending moves to it, and the shape follows unclamped.
    void shapeFollowsADragBeyondTheWindow() {
        ToolsBeforeStubs s;
        QTest::mousePress(s.tools, Qt::LeftButton, {}, QPoint(450, 200));
        QTest::mouseMove(s.tools, QPoint(-20, 400));
        const LiveShape& shape = s.tools->shape("Shape1");
        QCOMPARE(shape.Left(), -300.f);
        QCOMPARE(shape.Top(), 6000.f);
        QTest::mouseRelease(s.tools, Qt::LeftButton, {}, QPoint(-20, 400));
        QVERIFY(s.program.launcher.launches.isEmpty());
    }
};

QTEST_MAIN(ToolsWindowTest)
#include "tst_toolswindow.moc"
