#include "app/platform/QtKeystrokeService.h"
#include "support/Fakes.h"
#include "windows/options/Form3.h"
#include "windows/options/frmLogin.h"

#include <QApplication>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

const Message letsSee{"Did you get it right?", MessageStyle::Stop, "Lets See"};
const Message wayToGo{"Yep, Guess So!", MessageStyle::Stop, "Way 2 Go!"};
const Message invalid{"Invalid Password, try again!", MessageStyle::Ok, "Login"};

// The options window as the login dialog's right password finds it: its load notes what the
// dialog had done by the time it was shown.
class Form3Probe : public BoundModule<Form3Probe> {
public:
    using BoundModule::BoundModule;
    static inline QStringList log;
    static WindowDescription describe() { return Form3::describe(); }
    static const std::vector<Binding<Form3Probe>> bindings;

    void Form_Load() {
        const auto* login = registry.moduleAs<frmLogin>(WindowName::frmLogin);
        log << QStringLiteral("options window built: dialog shown %1, succeeded %2")
                   .arg(registry.state(WindowName::frmLogin) == WindowRegistry::State::Shown)
                   .arg(login->LoginSucceeded);
    }
};

const std::vector<Binding<Form3Probe>> Form3Probe::bindings = {
    {"Form", Event::Load, &Form3Probe::Form_Load},
};

// The login dialog shown as the tools window's trigger shows it.
struct LoginShown {
    TestProgram program;
    LiveWindow* login = nullptr;

    explicit LoginShown(std::vector<WindowType> types = allWindowTypes())
        : program(std::move(types)) {
        trigger();
        login = &program.window(WindowName::frmLogin);
        QVERIFY2(QTest::qWaitForWindowActive(login), "the login dialog did not become active");
    }

    void trigger() { program.show(WindowName::frmLogin); }
    TextBox& userName() const { return login->textBox("txtUserName"); }
    TextBox& password() const { return login->textBox("txtPassword"); }
    QPushButton& ok() const { return login->button("cmdOK"); }
    QPushButton& cancel() const { return login->button("cmdCancel"); }
    frmLogin& module() const { return *program.registry.moduleAs<frmLogin>(WindowName::frmLogin); }
    WindowRegistry::State state(WindowName name) const { return program.registry.state(name); }
    const QList<Message>& boxes() const { return program.messages.messages; }
};

bool isDarkGreen(const QColor& colour) {
    return colour.red() < 16 && colour.blue() < 16 && colour.green() > 48 && colour.green() < 80;
}

} // namespace

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void firstShowFocusesTheUserNameAndMasksThePassword() {
        LoginShown s;
        QCOMPARE(QApplication::focusWidget(), &s.userName());
        QCOMPARE(s.login->size(), QSize(250, 103));
        QCOMPARE(s.login->minimumSize(), s.login->maximumSize());
        QTest::keyClicks(&s.password(), "qu t");
        QCOMPARE(s.password().displayText(), "****");
        QCOMPARE(s.password().Text(), "qu t");
        QVERIFY(!s.module().LoginSucceeded);
        for (QPushButton* button : {&s.ok(), &s.cancel()}) {
            const QImage face = button->grab().toImage();
            QVERIFY2(isDarkGreen(face.pixelColor(6, face.height() / 2)),
                     qPrintable(button->text()));
        }
    }

    void thePasswordAloneDecides_data() {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("right");
        QTest::newRow("right, no user name") << ""
                                             << "quilt" << true;
        QTest::newRow("right, any user name") << "somebody"
                                              << "quilt" << true;
        QTest::newRow("empty password") << "quilt"
                                        << "" << false;
        QTest::newRow("capitals") << ""
                                  << "QUILT" << false;
        QTest::newRow("first letter capital") << ""
                                              << "Quilt" << false;
        QTest::newRow("mixed case") << ""
                                    << "qUiLt" << false;
        QTest::newRow("blank before") << ""
                                      << " quilt" << false;
        QTest::newRow("blank after") << ""
                                     << "quilt " << false;
        QTest::newRow("more after") << ""
                                    << "quilts" << false;
        QTest::newRow("more before") << ""
                                     << "aquilt" << false;
        QTest::newRow("start only") << ""
                                    << "quil" << false;
    }
    void thePasswordAloneDecides() {
        QFETCH(QString, userName);
        QFETCH(QString, password);
        QFETCH(bool, right);
        LoginShown s;
        s.userName().setText(userName);
        s.password().setText(password);
        QTest::mouseClick(&s.ok(), Qt::LeftButton);
        QCOMPARE(s.userName().Text(), userName);
        QCOMPARE(s.password().Text(), password);
        if (right) {
            QCOMPARE(s.boxes(), (QList<Message>{letsSee, wayToGo}));
            QCOMPARE(s.state(WindowName::Form3), WindowRegistry::State::Shown);
            QVERIFY(s.program.window(WindowName::Form3).isVisible());
            QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Hidden);
            QVERIFY(!s.login->isVisible());
            QVERIFY(s.module().LoginSucceeded);
            QVERIFY(s.program.keystrokes.sent.isEmpty());
        } else {
            QCOMPARE(s.boxes(), (QList<Message>{letsSee, invalid}));
            QCOMPARE(s.state(WindowName::Form3), WindowRegistry::State::NotLoaded);
            QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Shown);
            QVERIFY(s.login->isVisible());
            QVERIFY(!s.module().LoginSucceeded);
            QCOMPARE(QApplication::focusWidget(), &s.password());
            QCOMPARE(s.program.keystrokes.sent, QStringList{"{Home}+{End}"});
        }
        QVERIFY(!s.program.ended());
    }

    void wrongPasswordIsSelectedWholeAndTypingReplacesIt() {
        LoginShown s;
        QTest::keyClicks(&s.password(), "quilx");
        QTest::keyClick(&s.password(), Qt::Key_Left);
        QTest::keyClick(&s.password(), Qt::Key_Left);
        QTest::mouseClick(&s.ok(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), &s.password());
        // The handler has returned; the keys it queued now take the real delivery's path.
        QtKeystrokeService delivery;
        for (const QString& keys : s.program.keystrokes.sent)
            delivery.send(keys);
        QTRY_COMPARE(s.password().selectedText(), "quilx");
        QCOMPARE(s.password().selectionStart(), 0);
        QTest::keyClicks(QApplication::focusWidget(), "quilt");
        QCOMPARE(s.password().Text(), "quilt");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(s.boxes(), (QList<Message>{letsSee, invalid, letsSee, wayToGo}));
        QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Hidden);
    }

    void enterPressesOkAndEscapeCancel_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("pressesOk");
        QTest::newRow("Enter in the user name") << "txtUserName" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter in the password") << "txtPassword" << int(Qt::Key_Return) << true;
        QTest::newRow("Esc in the user name") << "txtUserName" << int(Qt::Key_Escape) << false;
        QTest::newRow("Esc in the password") << "txtPassword" << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter on Cancel") << "cmdCancel" << int(Qt::Key_Return) << false;
    }
    void enterPressesOkAndEscapeCancel() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, pressesOk);
        LoginShown s;
        s.password().setText("wrong");
        s.module().LoginSucceeded = true;
        s.login->control(focus).setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        if (pressesOk) {
            QCOMPARE(s.boxes(), (QList<Message>{letsSee, invalid}));
            QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Shown);
            QVERIFY(s.module().LoginSucceeded);
        } else {
            QVERIFY(s.boxes().isEmpty());
            QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Hidden);
            QVERIFY(!s.module().LoginSucceeded);
        }
    }

    void accessKeysFocusTheFieldAfterTheirLabel_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("field");
        QTest::newRow("Alt+U") << int(Qt::Key_U) << "txtUserName";
        QTest::newRow("Alt+P") << int(Qt::Key_P) << "txtPassword";
    }
    void accessKeysFocusTheFieldAfterTheirLabel() {
        QFETCH(int, key);
        QFETCH(QString, field);
        LoginShown s;
        s.cancel().setFocus();
        QTest::keyClick(s.login, Qt::Key(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), &s.login->control(field));
        QVERIFY(s.boxes().isEmpty());
        QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Shown);
    }

    void cancelHidesTheDialogWhichComesBackAsItWas() {
        LoginShown s;
        QTest::keyClicks(&s.userName(), "me");
        QTest::keyClicks(&s.password(), "qui");
        QPointer<LiveWindow> first = s.login;
        QTest::mouseClick(&s.cancel(), Qt::LeftButton);
        QVERIFY(s.boxes().isEmpty());
        QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Hidden);
        QVERIFY(!s.login->isVisible());
        QVERIFY(!s.program.ended());
        s.trigger();
        QCOMPARE(&s.program.window(WindowName::frmLogin), first.data());
        QVERIFY(s.login->isVisible());
        QCOMPARE(s.userName().Text(), "me");
        QCOMPARE(s.password().Text(), "qui");
    }

    void loginSucceededFollowsEachPathAndForm3StaysOne() {
        LoginShown s;
        const auto answer = [&](const QString& password) {
            s.password().setText(password);
            QTest::mouseClick(&s.ok(), Qt::LeftButton);
        };
        answer("wrong");
        QVERIFY(!s.module().LoginSucceeded);
        answer("quilt");
        QVERIFY(s.module().LoginSucceeded);
        QPointer<LiveWindow> form3 = &s.program.window(WindowName::Form3);
        s.trigger();
        answer("wrong");
        QVERIFY(s.module().LoginSucceeded);
        QTest::mouseClick(&s.cancel(), Qt::LeftButton);
        QVERIFY(!s.module().LoginSucceeded);
        s.trigger();
        answer("quilt");
        QVERIFY(s.module().LoginSucceeded);
        QCOMPARE(&s.program.window(WindowName::Form3), form3.data());
        QCOMPARE(visibleWindowsNamed("Form3"), 1);
    }

    void rightPasswordShowsForm3BeforeTheOutcomeAndTheHide() {
        Form3Probe::log.clear();
        LoginShown s(withWindow(allWindowTypes(), windowType<Form3Probe>(WindowName::Form3)));
        s.password().setText("quilt");
        s.program.messages.onShow = [](const Message& box) { Form3Probe::log << box.title; };
        QTest::mouseClick(&s.ok(), Qt::LeftButton);
        QCOMPARE(Form3Probe::log,
                 (QStringList{"Lets See", "Way 2 Go!",
                              "options window built: dialog shown 1, succeeded 0"}));
        QVERIFY(s.module().LoginSucceeded);
        QCOMPARE(s.state(WindowName::frmLogin), WindowRegistry::State::Hidden);
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
