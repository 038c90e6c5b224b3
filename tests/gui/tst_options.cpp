#include "support/Fakes.h"
#include "support/StubWindow.h"

#include <QApplication>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// The data source dialog is a stub: its load is what a show that builds it runs.
struct OptionsShown {
    TestProgram program{withStubs(allWindowTypes(), {WindowName::frmODBCLogon})};
    LiveWindow* options = nullptr;

    OptionsShown() {
        StubWindow::reset();
        program.messages.onShow = [this](const Message& box) {
            const LiveWindow* dialog = program.registry.window(WindowName::frmODBCLogon);
            StubWindow::log << QStringLiteral("%1: %2 (%3), dialog on screen %4")
                                   .arg(box.title, box.prompt)
                                   .arg(int(box.style))
                                   .arg(dialog && dialog->isVisible());
        };
        program.show(WindowName::Form3);
        options = &program.window(WindowName::Form3);
    }
};

const QString notice = QStringLiteral("Error Info: These Are Being Fixed (16), dialog on screen 1");
const QString loaded = QStringLiteral("load visible=0");
const QString unloaded = QStringLiteral("unload 0");

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void sizableTealWindowWithOneWideButton() {
        OptionsShown s;
        QCOMPARE(s.options->size(), QSize(595, 357));
        QVERIFY(s.options->minimumSize() != s.options->maximumSize());
        QCOMPARE(s.options->control("Command1").geometry(), QRect(16, 16, 553, 49));
        QCOMPARE(s.options->grab().toImage().pixelColor(300, 300), QColor(0, 64, 64));
        QCOMPARE(s.options->focusWidget(), &s.options->control("Command1"));
    }

    void eachPressShowsTheDataSourceDialogThenTheNotice_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("click") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void eachPressShowsTheDataSourceDialogThenTheNotice() {
        QFETCH(int, key);
        OptionsShown s;
        QPushButton& button = s.options->button("Command1");
        const auto press = [&] {
            if (key == 0)
                QTest::mouseClick(&button, Qt::LeftButton);
            else
                QTest::keyClick(&button, Qt::Key(key));
        };
        press();
        QCOMPARE(StubWindow::log, (QStringList{loaded, notice}));
        QPointer<LiveWindow> dialog = &s.program.window(WindowName::frmODBCLogon);
        press();
        QCOMPARE(StubWindow::log, (QStringList{loaded, notice, notice}));
        QCOMPARE(&s.program.window(WindowName::frmODBCLogon), dialog.data());
        s.program.event([&] { s.program.registry.Unload(WindowName::frmODBCLogon); });
        press();
        QCOMPARE(StubWindow::log, (QStringList{loaded, notice, notice, unloaded, loaded, notice}));
        QCOMPARE(s.program.registry.state(WindowName::Form3), WindowRegistry::State::Shown);
        QVERIFY(s.options->isVisible());
        QVERIFY(!s.program.ended());
    }

    void closingUnloadsAndTheNextRightPasswordBuildsItAfresh() {
        OptionsShown s;
        const auto rightPassword = [&] {
            s.program.show(WindowName::frmLogin);
            LiveWindow& login = s.program.window(WindowName::frmLogin);
            login.textBox("txtPassword").setText("quilt");
            QTest::mouseClick(&login.button("cmdOK"), Qt::LeftButton);
        };
        rightPassword();
        QPointer<LiveWindow> first = s.options;
        first->resize(300, 200);
        first->close();
        QCOMPARE(s.program.registry.state(WindowName::Form3), WindowRegistry::State::NotLoaded);
        QVERIFY(!s.program.ended());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        rightPassword();
        QCOMPARE(s.program.registry.state(WindowName::Form3), WindowRegistry::State::Shown);
        LiveWindow& second = s.program.window(WindowName::Form3);
        QVERIFY(second.isVisible());
        QCOMPARE(second.size(), QSize(595, 357));
        // The platform's default place for a new window, not the centre the login dialog takes,
        // once every pending move has been delivered.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((second.frameGeometry().center() - screenCentre).manhattanLength() > 10);
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
