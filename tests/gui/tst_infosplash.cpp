#include "support/Fakes.h"
#include "windows/info/frmSplash.h"
#include "windows/info/frmSplash1.h"

#include <QApplication>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

using State = WindowRegistry::State;

// Form1's window buttons as the user presses them.
void press(TestProgram& program, const char* button) {
    program.window(WindowName::Form1).button(button).click();
}

// The about window's real description with a key handler that only counts, so that a key which
// reached the handler twice would show.
class KeyCounter : public BoundModule<KeyCounter> {
public:
    using BoundModule::BoundModule;
    static inline QList<int> keys;
    static WindowDescription describe() { return frmSplash::describe(); }
    static const std::vector<Binding<KeyCounter>> bindings;
    void Form_KeyPress(std::int16_t& keyAscii) { keys << keyAscii; }
};

const std::vector<Binding<KeyCounter>> KeyCounter::bindings = {
    {formSource, Event::KeyPress, &KeyCounter::Form_KeyPress},
};

} // namespace

class SplashWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    // Each box is about the size of its banner, so the banner's ground shows at the box's corner
    // and the white canvas only in the pixels the box has beyond the banner.
    void picturesShowTheirBannerFromTheTopLeftCorner_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QPoint>("groundAt");
        QTest::addColumn<QColor>("ground");
        QTest::addColumn<QPoint>("whiteAt");
        QTest::newRow("about") << int(WindowName::frmSplash) << QPoint(2, 2) << QColor(0, 0, 255)
                               << QPoint(431, 60);
        QTest::newRow("splash") << int(WindowName::frmSplash1) << QPoint(100, 120)
                                << QColor(128, 0, 128) << QPoint(240, 152);
    }
    void picturesShowTheirBannerFromTheTopLeftCorner() {
        QFETCH(int, window);
        QFETCH(QPoint, groundAt);
        QFETCH(QColor, ground);
        QFETCH(QPoint, whiteAt);
        TestProgram program;
        program.show(WindowName(window));
        const QImage shown =
            program.window(WindowName(window)).control("Picture1").grab().toImage();
        QCOMPARE(shown.pixelColor(groundAt), ground);
        QCOMPARE(shown.pixelColor(whiteAt), QColor(Qt::white));
    }

    void eachButtonPressedTwiceGivesOneWindow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("window");
        QTest::newRow("About") << "Command4" << int(WindowName::frmSplash);
        QTest::newRow("SPLASH SCREEN") << "Command6" << int(WindowName::frmSplash1);
    }
    void eachButtonPressedTwiceGivesOneWindow() {
        QFETCH(QString, button);
        QFETCH(int, window);
        TestProgram program;
        program.show(WindowName::Form1);
        press(program, qPrintable(button));
        LiveWindow* first = program.registry.window(WindowName(window));
        QVERIFY(first && first->isVisible());
        press(program, qPrintable(button));
        QCOMPARE(program.registry.window(WindowName(window)), first);
        QCOMPARE(visibleWindowsNamed(first->name()), 1);
    }

    // The tools window's "Splash Screen" handler shows the registry's frmSplash1 too; the second
    // handler here does exactly what that one does.
    void bothSplashButtonsShareOneWindow() {
        TestProgram program;
        program.show(WindowName::Form1);
        press(program, "Command6");
        LiveWindow* first = program.registry.window(WindowName::frmSplash1);
        QVERIFY(first);
        program.event([&] { program.registry.Show(WindowName::frmSplash1); });
        QCOMPARE(program.registry.window(WindowName::frmSplash1), first);
        QCOMPARE(visibleWindowsNamed("frmSplash1"), 1);
    }

    // Each key with the text that X attaches to it: Delete carries "\x7f" and yet produces no
    // character.
    void keysThatProduceACharacterClose_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closes");
        const int about = int(WindowName::frmSplash);
        const int splash = int(WindowName::frmSplash1);
        const int none = Qt::NoModifier;
        struct Key {
            const char* name;
            Qt::Key key;
            int modifiers;
            const char* text;
            bool closes;
        };
        const Key keys[] = {
            {"letter", Qt::Key_Q, none, "q", true},
            {"digit", Qt::Key_7, none, "7", true},
            {"Space", Qt::Key_Space, none, " ", true},
            {"Enter", Qt::Key_Return, none, "\r", true},
            {"Esc", Qt::Key_Escape, none, "\x1b", true},
            {"Backspace", Qt::Key_Backspace, none, "\b", true},
            {"Ctrl+letter", Qt::Key_C, Qt::ControlModifier, "\x03", true},
            {"Delete", Qt::Key_Delete, none, "\x7f", false},
            {"Home", Qt::Key_Home, none, "", false},
            {"Insert", Qt::Key_Insert, none, "", false},
            {"arrow", Qt::Key_Left, none, "", false},
            {"F1", Qt::Key_F1, none, "", false},
            {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", false},
            {"Ctrl alone", Qt::Key_Control, Qt::ControlModifier, "", false},
            {"Alt alone", Qt::Key_Alt, Qt::AltModifier, "", false},
        };
        for (const Key& k : keys) {
            const QString text = QString::fromLatin1(k.text);
            QTest::addRow("about, picture focused, %s", k.name)
                << about << "Picture1" << int(k.key) << k.modifiers << text << k.closes;
            QTest::addRow("about, OK focused, %s", k.name)
                << about << "Command1" << int(k.key) << k.modifiers << text << k.closes;
            QTest::addRow("splash, %s", k.name)
                << splash << "Picture1" << int(k.key) << k.modifiers << text << k.closes;
        }
    }
    void keysThatProduceACharacterClose() {
        QFETCH(int, window);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, closes);
        TestProgram program;
        program.show(WindowName::Form1);
        program.show(WindowName(window));
        LiveWindow& live = program.window(WindowName(window));
        QVERIFY(QTest::qWaitForWindowActive(&live));
        live.control(focus).setFocus();
        QCOMPARE(live.focusWidget(), &live.control(focus));
        // Through the platform window, so the key goes wherever the focus is, as a real one does.
        const auto mods = Qt::KeyboardModifiers(modifiers);
        QTest::sendKeyEvent(QTest::Press, live.windowHandle(), Qt::Key(key), text, mods);
        if (program.registry.state(WindowName(window)) == State::Shown)
            QTest::sendKeyEvent(QTest::Release, live.windowHandle(), Qt::Key(key), text, mods);
        QCOMPARE(program.registry.state(WindowName(window)),
                 closes ? State::NotLoaded : State::Shown);
        QCOMPARE(program.registry.state(WindowName::Form1), State::Shown);
        QVERIFY(!program.ended());
        QVERIFY(program.messages.messages.isEmpty());
    }

    void keyPreviewRaisesEachKeyOnceWhateverHasTheFocus_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("keyAscii");
        QTest::newRow("letter on the picture") << "Picture1" << int(Qt::Key_Q) << int('q');
        QTest::newRow("letter on OK") << "Command1" << int(Qt::Key_Q) << int('q');
        QTest::newRow("Enter on OK") << "Command1" << int(Qt::Key_Return) << 13;
        QTest::newRow("Space on OK") << "Command1" << int(Qt::Key_Space) << int(' ');
        QTest::newRow("Esc on the picture") << "Picture1" << int(Qt::Key_Escape) << 27;
    }
    void keyPreviewRaisesEachKeyOnceWhateverHasTheFocus() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, keyAscii);
        KeyCounter::keys.clear();
        TestProgram program(
            withWindow(allWindowTypes(), windowType<KeyCounter>(WindowName::frmSplash)));
        program.show(WindowName::frmSplash);
        LiveWindow& live = program.window(WindowName::frmSplash);
        QVERIFY(QTest::qWaitForWindowActive(&live));
        live.control(focus).setFocus();
        QTest::keyClick(live.windowHandle(), Qt::Key(key));
        QCOMPARE(KeyCounter::keys, QList<int>{keyAscii});
    }

    void okClosesTheAboutWindow() {
        TestProgram program;
        program.show(WindowName::frmSplash);
        QTest::mouseClick(&program.window(WindowName::frmSplash).button("Command1"),
                          Qt::LeftButton);
        QCOMPARE(program.registry.state(WindowName::frmSplash), State::NotLoaded);
    }

    void clicksOnTheWindowOrItsPictureCloseNothing_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("splash surface") << int(WindowName::frmSplash1) << "" << QPoint(5, 270);
        QTest::newRow("splash picture")
            << int(WindowName::frmSplash1) << "Picture1" << QPoint(100, 60);
        QTest::newRow("about surface") << int(WindowName::frmSplash) << "" << QPoint(5, 5);
        QTest::newRow("about picture")
            << int(WindowName::frmSplash) << "Picture1" << QPoint(100, 60);
    }
    void clicksOnTheWindowOrItsPictureCloseNothing() {
        QFETCH(int, window);
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        TestProgram program;
        program.show(WindowName(window));
        LiveWindow& live = program.window(WindowName(window));
        QWidget* widget = target.isEmpty() ? &live : &live.control(target);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseClick(widget, Qt::RightButton, {}, at);
        QCOMPARE(program.registry.state(WindowName(window)), State::Shown);
        QCOMPARE(program.registry.window(WindowName(window)), &live);
    }

    void aMovedWindowComesBackCentredAfterItWasClosed_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("about") << int(WindowName::frmSplash);
        QTest::newRow("splash") << int(WindowName::frmSplash1);
    }
    void aMovedWindowComesBackCentredAfterItWasClosed() {
        QFETCH(int, window);
        TestProgram program;
        program.show(WindowName::Form1); // keeps the program running between the two shows
        program.show(WindowName(window));
        LiveWindow* live = &program.window(WindowName(window));
        QVERIFY(QTest::qWaitForWindowActive(live));
        QTRY_VERIFY(isCentred(*live));
        live->move(10, 10);
        QTRY_COMPARE(live->frameGeometry().topLeft(), QPoint(10, 10));
        QTest::keyClick(live->windowHandle(), Qt::Key_Q);
        QCOMPARE(program.registry.state(WindowName(window)), State::NotLoaded);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        program.show(WindowName(window));
        live = &program.window(WindowName(window));
        QVERIFY(QTest::qWaitForWindowExposed(live));
        QTRY_VERIFY(isCentred(*live));
    }

    void closingASplashWindowLeavesTheProgramRunning_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("mainHidden");
        const int about = int(WindowName::frmSplash);
        const int splash = int(WindowName::frmSplash1);
        QTest::newRow("about by key") << about << "key" << false;
        QTest::newRow("about by OK") << about << "OK" << false;
        QTest::newRow("about by close command") << about << "close" << false;
        QTest::newRow("splash by key") << splash << "key" << false;
        QTest::newRow("splash by close command") << splash << "close" << false;
        QTest::newRow("splash by key, main window hidden") << splash << "key" << true;
    }
    void closingASplashWindowLeavesTheProgramRunning() {
        QFETCH(int, window);
        QFETCH(QString, how);
        QFETCH(bool, mainHidden);
        TestProgram program;
        program.show(WindowName::Form1);
        program.show(WindowName(window));
        if (mainHidden)
            program.event([&] { program.registry.Hide(WindowName::Form1); });
        LiveWindow& live = program.window(WindowName(window));
        QVERIFY(QTest::qWaitForWindowActive(&live));
        if (how == "key")
            QTest::keyClick(live.windowHandle(), Qt::Key_A);
        else if (how == "OK")
            live.button("Command1").click();
        else
            live.close();
        QCOMPARE(program.registry.state(WindowName(window)), State::NotLoaded);
        QCOMPARE(program.registry.state(WindowName::Form1),
                 mainHidden ? State::Hidden : State::Shown);
        QVERIFY(!program.ended());
        program.closeAll();
        QCOMPARE(program.quitStatus, std::optional<int>(0));
    }
};

QTEST_MAIN(SplashWindowsTest)
#include "tst_infosplash.moc"
