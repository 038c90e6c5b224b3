#include "support/Fakes.h"
#include "support/ScriptedDriverManager.h"
#include "ui/Controls.h"
#include "ui/LiveWindow.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace qor;
using namespace qor::test;

namespace {

// The main window is loaded but hidden, so that the window under test can come and go without
// ending the program. The data source dialog reads an empty scripted driver manager.
struct LoadedProgram {
    LoadedProgram() { program.loadMainWindowHidden(); }
    bool loaded(WindowName name) const {
        return program.registry.state(name) != WindowRegistry::State::NotLoaded;
    }
    void click(WindowName name, const QString& button) {
        auto* target = program.window(name).findChild<QPushButton*>(button);
        QVERIFY2(target, qPrintable(button));
        QTest::mouseClick(target, Qt::LeftButton);
    }

    TestProgram program;
    ScriptedDriverManager& driverManager = program.driverManager;
};

// Three times the length at which a plain line edit stops taking text, with characters outside
// Latin-1 so that a cut in the middle of one would show.
QString longPaste() {
    QString text;
    while (text.size() < 100000)
        text += QString::fromUtf8("Qor \xE2\x82\xAC\xC3\x85 %1 ").arg(text.size());
    return text.left(100000);
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void longPasteIsKeptWhole_data() {
        QTest::addColumn<WindowName>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("okButton");
        QTest::addColumn<bool>("okMessageCarriesText");
        QTest::newRow("tools Text1") << WindowName::Frmprogress << "Text1" << QString() << false;
        QTest::newRow("login user name") << WindowName::frmLogin << "txtUserName"
                                         << "cmdOK" << false;
        QTest::newRow("login password") << WindowName::frmLogin << "txtPassword"
                                        << "cmdOK" << false;
        QTest::newRow("data source UID") << WindowName::frmODBCLogon << "txtUID"
                                         << "cmdOK" << true;
        QTest::newRow("data source PWD") << WindowName::frmODBCLogon << "txtPWD"
                                         << "cmdOK" << true;
        QTest::newRow("data source database") << WindowName::frmODBCLogon << "txtDatabase"
                                              << "cmdOK" << true;
        QTest::newRow("data source server") << WindowName::frmODBCLogon << "txtServer"
                                            << "cmdOK" << true;
        QTest::newRow("tip Text1") << WindowName::Form4 << "Text1" << QString() << false;
    }
    void longPasteIsKeptWhole() {
        QFETCH(WindowName, window);
        QFETCH(QString, box);
        QFETCH(QString, okButton);
        QFETCH(bool, okMessageCarriesText);
        const QString pasted = longPaste();
        {
            LoadedProgram p;
            p.program.show(window);
            TextBox& field = p.program.window(window).textBox(box);
            QVERIFY(field.isEnabled());
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(field.text().size(), pasted.size());
            QVERIFY(field.Text() == pasted);
            if (!okButton.isEmpty()) {
                p.click(window, okButton);
                QVERIFY(!p.program.messages.messages.isEmpty());
                if (okMessageCarriesText)
                    QVERIFY(p.program.messages.messages.last().prompt.contains(pasted));
            }
            QVERIFY(!p.program.ended());
            QVERIFY(p.loaded(window));
            QVERIFY(p.program.window(window).textBox(box).Text() == pasted);
        }
        QGuiApplication::clipboard()->clear();
    }

    // Names as a driver manager may hand them over: bytes that are not UTF-8, control
    // characters, and more sources than unixODBC would ever list.
    void awkwardSourceNamesReachTheDialog() {
        LoadedProgram p;
        QStringList expected{"(None)"};
        for (const char* name : {"Caf\xE9", "Tab\tBell\x07", "Esc\x1B[31m"}) {
            ScriptedDriverManager::Fetch fetch;
            fetch.name = name;
            fetch.description = "SQLite3";
            p.driverManager.fetches << fetch;
        }
        expected << QStringLiteral("Caf\uFFFD") << "Esc\x1B[31m"
                 << "Tab\tBell\x07";
        for (int i = 0; i < 300; ++i) {
            ScriptedDriverManager::Fetch fetch;
            fetch.name = "Source " + QByteArray::number(1000 + i);
            fetch.description = "PostgreSQL Unicode";
            p.driverManager.fetches << fetch;
            expected << QString::fromLatin1(fetch.name);
        }
        std::sort(expected.begin() + 1, expected.end());
        p.program.show(WindowName::frmODBCLogon);
        const ComboBox& list = p.program.window(WindowName::frmODBCLogon).comboBox("cboDSNList");
        QStringList shown;
        for (int i = 0; i < list.count(); ++i)
            shown << list.itemText(i);
        QCOMPARE(shown, expected);
        QCOMPARE(list.currentIndex(), 0);
    }

    // The window manager closes the login dialog while "Lets See" is up. The box runs its own
    // event loop, as the real one does; the click handler goes on once the box is gone and still
    // reads its own window.
    void windowClosedWhileItsBoxIsOpen() {
        LoadedProgram p;
        p.program.show(WindowName::frmLogin);
        QPointer<LiveWindow> login = &p.program.window(WindowName::frmLogin);
        login->textBox("txtPassword").setText("not the word");
        bool aliveAfterBox = false;
        p.program.messages.onShow = [&](const Message& message) {
            if (message.title == "Lets See") {
                QEventLoop box;
                QTimer::singleShot(0, login, [&] {
                    login->close();
                    QMetaObject::invokeMethod(&box, &QEventLoop::quit, Qt::QueuedConnection);
                });
                box.exec();
            } else {
                aliveAfterBox = !login.isNull();
            }
        };
        p.click(WindowName::frmLogin, "cmdOK");
        QCOMPARE(p.program.registry.state(WindowName::frmLogin), WindowRegistry::State::NotLoaded);
        QVERIFY2(aliveAfterBox, "the window was deleted while its handler was still running");
        QCOMPARE(p.program.messages.messages.size(), 2);
        QCOMPARE(p.program.messages.messages[1].prompt, "Invalid Password, try again!");
        QVERIFY(!p.program.ended());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(login.isNull());
        p.program.event([&] { p.program.registry.End(); });
    }
};

QTEST_MAIN(BadInputTest)
#include "tst_badinput.moc"
