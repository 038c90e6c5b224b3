#include "app/platform/QtKeystrokeService.h"
#include "app/platform/QtMessageService.h"
#include "support/Fakes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace qor;
using namespace qor::test;

namespace {

// The login dialog over the real message boxes and the real keystroke delivery. Every box is
// closed with Return as soon as it is up, and its title noted.
struct RealServices {
    RecordingLauncher launcher;
    QtMessageService messages{"QOR", [this] { return registry.ended(); }};
    QtKeystrokeService keystrokes;
    FakeScreen screen;
    ScriptedDriverManager driverManager;
    PlatformSlideAwaySurfaceSource slideAway{screen};
    Services services{launcher, messages, keystrokes, screen, driverManager, slideAway};
    WindowRegistry registry{allWindowTypes(), services, [](int) {}};
    QStringList titles;
    QTimer boxCloser;

    RealServices() {
        QObject::connect(&boxCloser, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles << box->windowTitle();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        boxCloser.start(10);
    }
    ~RealServices() {
        registry.dispatcher().run([this] { registry.closeAll(); });
    }
};

} // namespace

class LoginKeystrokesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void wrongPasswordIsSelectedWholeOnceTheBoxesAreClosed() {
        RealServices real;
        real.registry.dispatcher().run([&] { real.registry.Show(WindowName::frmLogin); });
        LiveWindow* login = real.registry.window(WindowName::frmLogin);
        QVERIFY(QTest::qWaitForWindowActive(login));
        TextBox& password = login->textBox("txtPassword");
        QTest::keyClicks(&password, "quilx");
        QTest::keyClick(&password, Qt::Key_Left);
        QTest::mouseClick(&login->button("cmdOK"), Qt::LeftButton);
        QCOMPARE(real.titles, (QStringList{"Lets See", "Login"}));
        QCOMPARE(QApplication::focusWidget(), &password);
        QTRY_COMPARE(password.selectedText(), "quilx");
        QCOMPARE(password.selectionStart(), 0);
        QTest::keyClicks(&password, "quilt");
        QCOMPARE(password.Text(), "quilt");
        QCOMPARE(password.displayText(), "*****");
        QTest::keyClick(&password, Qt::Key_Return);
        QCOMPARE(real.titles, (QStringList{"Lets See", "Login", "Lets See", "Way 2 Go!"}));
        QCOMPARE(real.registry.state(WindowName::frmLogin), WindowRegistry::State::Hidden);
        QCOMPARE(real.registry.state(WindowName::Form3), WindowRegistry::State::Shown);
    }
};

QTEST_MAIN(LoginKeystrokesTest)
#include "tst_keystrokes_login.moc"
