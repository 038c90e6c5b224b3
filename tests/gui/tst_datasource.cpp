#include "support/Fakes.h"
#include "support/ScriptedDriverManager.h"
#include "ui/LiveWindow.h"
#include "windows/datasource/frmODBCLogon.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace qor;
using namespace qor::test;

using Fetch = ScriptedDriverManager::Fetch;
using Fetches = QList<Fetch>;

namespace {

Fetch source(const QByteArray& name, const QByteArray& description) {
    Fetch fetch;
    fetch.name = name;
    fetch.description = description;
    return fetch;
}

const Fetches threeSourcesTwoDrivers = {source("Payroll", "PostgreSQL Unicode"),
                                        source("Stock", "SQLite3"),
                                        source("Archive", "PostgreSQL Unicode")};

// The program with the dialog's driver manager scripted. The main window is loaded but hidden,
// so that unloading the dialog does not end the program.
struct DialogProgram {
    explicit DialogProgram(const Fetches& fetches) {
        driverManager.fetches = fetches;
        program.loadMainWindowHidden();
    }

    // Fails the test when the dialog does not become active, and goes on with it all the same.
    LiveWindow& show() {
        program.show(WindowName::frmODBCLogon);
        LiveWindow& window = program.window(WindowName::frmODBCLogon);
        QTest::qVerify(QTest::qWaitForWindowActive(&window), "qWaitForWindowActive(&window)",
                       "the dialog did not become active", __FILE__, __LINE__);
        return window;
    }
    bool loaded() const {
        return program.registry.state(WindowName::frmODBCLogon) != WindowRegistry::State::NotLoaded;
    }

    TestProgram program;
    ScriptedDriverManager& driverManager = program.driverManager;
};

QStringList items(const ComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

QString focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class DataSourceDialogTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoStrayWindows(); }

    void windowIsAFixedCentredDialog() {
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& window = dialog.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("ODBC Logon"));
        QCOMPARE(window.size(), QSize(298, 212));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QTRY_VERIFY(isCentred(window));
    }

    void arraysAndDisabledFieldsAsDescribed() {
        DialogProgram dialog({});
        LiveWindow& window = dialog.show();
        QVERIFY(window.hasControl("fraStep3(0)"));
        QVERIFY(!window.hasControl("fraStep3"));
        QVERIFY(!window.hasControl("lblStep3(0)"));
        for (std::int16_t index = 1; index <= 6; ++index)
            QVERIFY(qobject_cast<QLabel*>(&window.control("lblStep3", index)));
        QVERIFY(!window.hasControl("lblStep3(7)"));

        // The description starts both fields disabled; "(None)", selected by the load, enables
        // them.
        const WindowDescription description = frmODBCLogon::describe();
        for (const ControlDescription& child : description.controls.at(2).children)
            QCOMPARE(child.enabled, child.name != "cboDrivers" && child.name != "txtServer");
        QVERIFY(window.comboBox("cboDrivers").isEnabled());
        QVERIFY(window.textBox("txtServer").isEnabled());
    }

    void loadFillsBothListsAndSelectsTheFirstItem_data() {
        QTest::addColumn<Fetches>("fetches");
        QTest::addColumn<QStringList>("dsnItems");
        QTest::addColumn<QStringList>("driverItems");
        QTest::addColumn<bool>("fieldsEnabled");

        QTest::newRow("no data source")
            << Fetches{} << QStringList{"(None)"} << QStringList{} << true;
        QTest::newRow("three sources, two sharing a driver")
            << threeSourcesTwoDrivers << QStringList{"(None)", "Archive", "Payroll", "Stock"}
            << QStringList{"PostgreSQL Unicode", "SQLite3"} << true;
        QTest::newRow("a name sorting before (None)")
            << Fetches{source("!Legacy", "Old"), source("Payroll", "New")}
            << QStringList{"!Legacy", "(None)", "Payroll"} << QStringList{"New", "Old"} << false;
        QTest::newRow("drivers differing only in case")
            << Fetches{source("One", "Sample Driver"), source("Two", "sample driver")}
            << QStringList{"(None)", "One", "Two"} << QStringList{"Sample Driver", "sample driver"}
            << true;
    }
    void loadFillsBothListsAndSelectsTheFirstItem() {
        QFETCH(Fetches, fetches);
        QFETCH(QStringList, dsnItems);
        QFETCH(QStringList, driverItems);
        QFETCH(bool, fieldsEnabled);
        DialogProgram dialog(fetches);
        LiveWindow& window = dialog.show();
        ComboBox& dsnList = window.comboBox("cboDSNList");
        ComboBox& drivers = window.comboBox("cboDrivers");
        QCOMPARE(items(dsnList), dsnItems);
        QCOMPARE(items(drivers), driverItems);
        QCOMPARE(dsnList.currentIndex(), 0);
        QCOMPARE(drivers.currentIndex(), -1);
        QCOMPARE(drivers.isEnabled(), fieldsEnabled);
        QCOMPARE(window.textBox("txtServer").isEnabled(), fieldsEnabled);
        QCOMPARE(dialog.driverManager.allocCount, 1);
        QCOMPARE(dialog.driverManager.freeCount, 1);
        QCOMPARE(focused(), QStringLiteral("cboDSNList"));
        QVERIFY(dialog.program.messages.messages.isEmpty());
    }

    // How the selection reaches the list: set by code, picked with the keyboard, or picked in
    // the list's popup with the mouse. The user's picks raise the click as code does.
    void selectionTogglesDriverAndServerKeepingTheirContents_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("ListIndex") << "code";
        QTest::newRow("arrow keys") << "keys";
        QTest::newRow("popup click") << "popup";
    }
    void selectionTogglesDriverAndServerKeepingTheirContents() {
        QFETCH(QString, how);
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& window = dialog.show();
        ComboBox& dsnList = window.comboBox("cboDSNList");
        ComboBox& drivers = window.comboBox("cboDrivers");
        TextBox& server = window.textBox("txtServer");
        drivers.setCurrentIndex(1);
        server.setText("store1");

        const auto select = [&](int position) {
            if (how == "code") {
                dialog.program.event([&] { dsnList.setListIndex(std::int16_t(position)); });
            } else if (how == "keys") {
                dsnList.setFocus();
                const int steps = position - dsnList.currentIndex();
                for (int i = 0; i < std::abs(steps); ++i)
                    QTest::keyClick(&dsnList, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
            } else {
                dsnList.showPopup();
                QAbstractItemView* view = dsnList.view();
                QVERIFY(QTest::qWaitForWindowExposed(view->window()));
                const QPoint at = view->visualRect(view->model()->index(position, 0)).center();
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
                QTRY_VERIFY(!view->isVisible());
            }
            QCOMPARE(dsnList.currentIndex(), position);
        };

        select(2);
        QCOMPARE(dsnList.currentText(), QStringLiteral("Payroll"));
        QVERIFY(!drivers.isEnabled());
        QVERIFY(!server.isEnabled());
        QCOMPARE(drivers.currentText(), QStringLiteral("SQLite3"));
        QCOMPARE(server.text(), QStringLiteral("store1"));

        select(0);
        QVERIFY(drivers.isEnabled());
        QVERIFY(server.isEnabled());
        QCOMPARE(drivers.currentText(), QStringLiteral("SQLite3"));
        QCOMPARE(server.text(), QStringLiteral("store1"));
        QCOMPARE(items(drivers), (QStringList{"PostgreSQL Unicode", "SQLite3"}));
        QVERIFY(!dialog.program.ended());
    }

    void tabOrderCyclesThroughTheEnabledFields_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("(None) selected")
            << 0 << QStringList{"cboDSNList", "txtUID", "txtPWD",    "txtDatabase", "cboDrivers",
                                "txtServer",  "cmdOK",  "cmdCancel", "cboDSNList"};
        QTest::newRow("a data source selected")
            << 1 << QStringList{"cboDSNList", "txtUID",    "txtPWD",    "txtDatabase",
                                "cmdOK",      "cmdCancel", "cboDSNList"};
    }
    void tabOrderCyclesThroughTheEnabledFields() {
        QFETCH(int, selected);
        QFETCH(QStringList, order);
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& window = dialog.show();
        dialog.program.event(
            [&] { window.comboBox("cboDSNList").setListIndex(std::int16_t(selected)); });
        QCOMPARE(focused(), order.first());
        QStringList forwards{focused()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forwards << focused();
        }
        QCOMPARE(forwards, order);
        QStringList backwards{focused()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backwards << focused();
        }
        std::reverse(order.begin(), order.end());
        QCOMPARE(backwards, order);
    }

    // Each label's access key leads to the field after it; a disabled field cannot be reached,
    // so the focus then stays where it was.
    void accessKeysMoveTheFocusToTheFieldAfterTheirLabel_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("target");
        QTest::newRow("Alt+D") << 0 << Qt::Key_D << "cboDSNList";
        QTest::newRow("Alt+U") << 0 << Qt::Key_U << "txtUID";
        QTest::newRow("Alt+P") << 0 << Qt::Key_P << "txtPWD";
        QTest::newRow("Alt+B") << 0 << Qt::Key_B << "txtDatabase";
        QTest::newRow("Alt+V, (None) selected") << 0 << Qt::Key_V << "cboDrivers";
        QTest::newRow("Alt+S, (None) selected") << 0 << Qt::Key_S << "txtServer";
        QTest::newRow("Alt+V, a data source selected") << 1 << Qt::Key_V << "cmdCancel";
        QTest::newRow("Alt+S, a data source selected") << 1 << Qt::Key_S << "cmdCancel";
    }
    void accessKeysMoveTheFocusToTheFieldAfterTheirLabel() {
        QFETCH(int, selected);
        QFETCH(Qt::Key, key);
        QFETCH(QString, target);
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& window = dialog.show();
        dialog.program.event(
            [&] { window.comboBox("cboDSNList").setListIndex(std::int16_t(selected)); });
        window.button("cmdCancel").setFocus();
        QCOMPARE(focused(), QStringLiteral("cmdCancel"));
        QTest::keyClick(&window, key, Qt::AltModifier);
        QTRY_COMPARE(focused(), target);
        QVERIFY(dialog.loaded());
        QVERIFY(dialog.program.messages.messages.isEmpty());
    }

    // The frame is only a container: neither a click on it nor on a label takes the focus away
    // from the field that has it.
    void frameAndLabelsTakeNoFocus() {
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& window = dialog.show();
        window.textBox("txtPWD").setFocus();
        auto& frame = window.control("fraStep3", 0);
        QCOMPARE(frame.focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(&frame, Qt::LeftButton, {}, QPoint(40, 155));
        QTest::mouseClick(&window.control("lblStep3", 1), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(focused(), QStringLiteral("txtPWD"));
    }

    // Enter outside a button presses nothing: the dialog has no default button.
    void enterInAFieldPressesNoButton() {
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& window = dialog.show();
        for (const char* field : {"txtUID", "txtServer"}) {
            window.textBox(field).setFocus();
            QTest::keyClick(&window.textBox(field), Qt::Key_Return);
        }
        QVERIFY(dialog.program.messages.messages.isEmpty());
        QVERIFY(dialog.loaded());
    }

    void cancelAndEscapeUnloadTheDialog_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("click on Cancel") << "click";
        QTest::newRow("Esc in the data source list") << "escape in cboDSNList";
        QTest::newRow("Esc in a text box") << "escape in txtUID";
        QTest::newRow("Enter on the focused Cancel") << "enter on cmdCancel";
    }
    void cancelAndEscapeUnloadTheDialog() {
        QFETCH(QString, how);
        DialogProgram dialog(threeSourcesTwoDrivers);
        QPointer<LiveWindow> window = &dialog.show();
        if (how == "click") {
            QTest::mouseClick(&window->button("cmdCancel"), Qt::LeftButton);
        } else {
            const QString target = how.section(' ', -1);
            QWidget& control = window->control(target);
            control.setFocus();
            QTest::keyClick(&control, how.startsWith("escape") ? Qt::Key_Escape : Qt::Key_Return);
        }
        QCOMPARE(dialog.program.registry.state(WindowName::frmODBCLogon),
                 WindowRegistry::State::NotLoaded);
        QVERIFY(!window->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        QVERIFY(dialog.program.messages.messages.isEmpty());
        QVERIFY(!dialog.program.ended());
    }

    // The second show builds a new window and enumerates again with a new environment: nothing
    // of the first list, selection or typed text survives.
    void showAfterCancelRebuildsBothListsFromNothing() {
        DialogProgram dialog(threeSourcesTwoDrivers);
        LiveWindow& first = dialog.show();
        first.textBox("txtUID").setText("clerk");
        first.comboBox("cboDrivers").setCurrentIndex(0);
        dialog.program.event([&] { first.comboBox("cboDSNList").setListIndex(2); });
        const QPointer<LiveWindow> firstAlive = &first;
        QTest::mouseClick(&first.button("cmdCancel"), Qt::LeftButton);
        QVERIFY(!dialog.loaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(firstAlive.isNull());

        QCOMPARE(dialog.driverManager.allocCount, 1);
        QCOMPARE(dialog.driverManager.freeCount, 1);

        dialog.driverManager = ScriptedDriverManager();
        dialog.driverManager.fetches = {source("Warehouse", "MariaDB")};
        LiveWindow& again = dialog.show();
        QCOMPARE(items(again.comboBox("cboDSNList")), (QStringList{"(None)", "Warehouse"}));
        QCOMPARE(items(again.comboBox("cboDrivers")), QStringList{"MariaDB"});
        QCOMPARE(again.comboBox("cboDSNList").currentIndex(), 0);
        QCOMPARE(again.comboBox("cboDrivers").currentIndex(), -1);
        QVERIFY(again.comboBox("cboDrivers").isEnabled());
        QCOMPARE(again.textBox("txtUID").text(), QString());
        QCOMPARE(dialog.driverManager.allocCount, 1);
        QCOMPARE(dialog.driverManager.freeCount, 1);
    }

    // The sample code goes to the message service with style 0 and no title of its own, so the
    // box carries the application title. The dialog stays, and a second press gives the same.
    void okShowsTheSampleCodeUnderTheApplicationTitle_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("driver");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("byAccessKey");
        QTest::addColumn<QString>("connectionString");

        QTest::newRow("a data source, by mouse")
            << 1 << -1 << ""
            << "clerk"
            << "ledger" << false << "PROVIDER=MSDASQL;DSN=Payroll;UID=clerk;PWD=;Database=ledger;";
        QTest::newRow("driver and server, by Alt+O")
            << 0 << 1 << "store1"
            << ""
            << "" << true << "PROVIDER=MSDASQL;Driver=Sample Driver;Server=store1;UID=;PWD=;";
        QTest::newRow("a data source over stale driver and server")
            << 1 << 1 << "store1"
            << ""
            << "" << true << "PROVIDER=MSDASQL;DSN=Payroll;UID=;PWD=;";
    }
    void okShowsTheSampleCodeUnderTheApplicationTitle() {
        QFETCH(int, selected);
        QFETCH(int, driver);
        QFETCH(QString, server);
        QFETCH(QString, uid);
        QFETCH(QString, database);
        QFETCH(bool, byAccessKey);
        QFETCH(QString, connectionString);
        DialogProgram dialog({source("Payroll", "Sample Driver"), source("Stock", "Other")});
        LiveWindow& window = dialog.show();
        ComboBox& dsnList = window.comboBox("cboDSNList");
        // Driver and server are filled while "(None)" enables them, before the selection.
        window.comboBox("cboDrivers").setCurrentIndex(driver);
        QTest::keyClicks(&window.textBox("txtServer"), server);
        dialog.program.event([&] { dsnList.setListIndex(std::int16_t(selected)); });
        QTest::keyClicks(&window.textBox("txtUID"), uid);
        QTest::keyClicks(&window.textBox("txtDatabase"), database);

        for (int press = 1; press <= 2; ++press) {
            if (byAccessKey)
                QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
            else
                QTest::mouseClick(&window.button("cmdOK"), Qt::LeftButton);
            QTRY_COMPARE(dialog.program.messages.messages.size(), press);
        }
        const Message shown = dialog.program.messages.messages.first();
        QCOMPARE(dialog.program.messages.messages.last(), shown);
        QCOMPARE(shown.style, MessageStyle::Ok);
        QCOMPARE(shown.title, QString());
        const QStringList lines = shown.prompt.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines.at(2), "gConnection.Open \"" + connectionString + "\"");
        QCOMPARE(shown.prompt.size(), 319 + connectionString.size());
        QVERIFY(dialog.loaded());
        QVERIFY(window.isVisible());
        QCOMPARE(dsnList.currentIndex(), selected);
    }
};

QTEST_MAIN(DataSourceDialogTest)
#include "tst_datasource.moc"
