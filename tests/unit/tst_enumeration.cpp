#include "support/PlainTextField.h"
#include "support/ScriptedDriverManager.h"
#include "support/SortedComboList.h"
#include "windows/datasource/DataSourceEnumeration.h"

#include <QTest>

using namespace qor;

using Fetch = ScriptedDriverManager::Fetch;
using Fetches = QList<Fetch>;
Q_DECLARE_METATYPE(qor::ScriptedDriverManager::Fetch)

namespace {

// The dialog's lists and server field as the window description starts them: the driver list
// and the server field disabled, the data source list's click wired to its handler.
struct Dialog {
    ScriptedDriverManager driverManager;
    SortedComboList dsnList;
    SortedComboList drivers{false};
    PlainTextField server{QString(), false};

    Dialog() {
        dsnList.onClick = [this] { cboDSNList_Click(dsnList, drivers, server); };
    }
    void load() { GetDSNsAndDrivers(driverManager, dsnList, drivers); }
};

Fetch source(const QByteArray& name, const QByteArray& description,
             std::int16_t returnCode = odbc::Success) {
    Fetch fetch;
    fetch.returnCode = returnCode;
    fetch.name = name;
    fetch.description = description;
    return fetch;
}

} // namespace

class EnumerationTest : public QObject {
    Q_OBJECT
private slots:
    void enumerates_data() {
        QTest::addColumn<Fetches>("fetches");
        QTest::addColumn<QStringList>("dsnItems");
        QTest::addColumn<QStringList>("driverItems");
        QTest::addColumn<int>("fetchesMade");
        QTest::addColumn<bool>("fieldsEnabled");

        QTest::newRow("no data source")
            << Fetches{} << QStringList{"(None)"} << QStringList{} << 1 << true;
        QTest::newRow("three sources, two sharing a driver")
            << Fetches{source("Payroll", "PostgreSQL Unicode"), source("Stock", "SQLite3"),
                       source("Archive", "PostgreSQL Unicode")}
            << QStringList{"(None)", "Archive", "Payroll", "Stock"}
            << QStringList{"PostgreSQL Unicode", "SQLite3"} << 4 << true;
        QTest::newRow("three sources sharing one driver")
            << Fetches{source("A", "Same"), source("B", "Same"), source("C", "Same")}
            << QStringList{"(None)", "A", "B", "C"} << QStringList{"Same"} << 4 << true;
        QTest::newRow("a name sorting before (None) is selected")
            << Fetches{source("!Legacy", "Old Driver"), source("Payroll", "New Driver")}
            << QStringList{"!Legacy", "(None)", "Payroll"}
            << QStringList{"New Driver", "Old Driver"} << 3 << false;
        QTest::newRow("final fetch after the longest name adds no blanks")
            << Fetches{source("Ab", "x"), source("A much longer name", "yy")}
            << QStringList{"(None)", "A much longer name", "Ab"} << QStringList{"x", "yy"} << 3
            << true;
        QTest::newRow("final fetch after the shortest name adds no blanks")
            << Fetches{source("A much longer name", "a rather long driver description"),
                       source("Ab", "x")}
            << QStringList{"(None)", "A much longer name", "Ab"}
            << QStringList{"a rather long driver description", "x"} << 3 << true;
        QTest::newRow("success with info on the second of three ends after adding it")
            << Fetches{source("First", "D1"), source("Second", "D2", odbc::SuccessWithInfo),
                       source("Third", "D3")}
            << QStringList{"(None)", "First", "Second"} << QStringList{"D1", "D2"} << 2 << true;
        QTest::newRow("an error code writes nothing and ends")
            << Fetches{source("First", "D1"), source("Second", "D2", odbc::Error)}
            << QStringList{"(None)", "First"} << QStringList{"D1"} << 2 << true;
        QTest::newRow("descriptions differing only in case both stay")
            << Fetches{source("One", "Sample Driver"), source("Two", "sample driver")}
            << QStringList{"(None)", "One", "Two"} << QStringList{"Sample Driver", "sample driver"}
            << 3 << true;
        QTest::newRow("an empty description is listed")
            << Fetches{source("Bare", "")} << QStringList{"(None)", "Bare"} << QStringList{""} << 2
            << true;
        QTest::newRow("a UTF-8 name comes through whole")
            << Fetches{source("\xC3\x85ngstr\xC3\xB6m", "Tr\xC3\xA9iber")}
            << QStringList{"(None)", QString::fromUtf8("\xC3\x85ngstr\xC3\xB6m")}
            << QStringList{QString::fromUtf8("Tr\xC3\xA9iber")} << 2 << true;

        Fetch cutInsideTwoBytes = source("Caf\xC3\xA9", "Pr\xC3\xA9"
                                                        "cis");
        cutInsideTwoBytes.nameLength = 4;
        cutInsideTwoBytes.descriptionLength = 3;
        QTest::newRow("a length ending inside a character drops the character")
            << Fetches{cutInsideTwoBytes} << QStringList{"(None)", "Caf"} << QStringList{"Pr"} << 2
            << true;
        Fetch cutInsideThreeBytes = source("Euro\xE2\x82\xAC"
                                           "Ledger",
                                           "D");
        cutInsideThreeBytes.nameLength = 6;
        QTest::newRow("a length ending inside a three-byte character")
            << Fetches{cutInsideThreeBytes} << QStringList{"(None)", "Euro"} << QStringList{"D"}
            << 2 << true;
    }
    void enumerates() {
        QFETCH(Fetches, fetches);
        QFETCH(QStringList, dsnItems);
        QFETCH(QStringList, driverItems);
        QFETCH(int, fetchesMade);
        QFETCH(bool, fieldsEnabled);
        Dialog dialog;
        dialog.driverManager.fetches = fetches;

        dialog.load();

        QCOMPARE(dialog.dsnList.items(), dsnItems);
        QCOMPARE(dialog.drivers.items(), driverItems);
        QCOMPARE(dialog.dsnList.ListIndex(), 0);
        QCOMPARE(dialog.server.isEnabled(), fieldsEnabled);
        QCOMPARE(dialog.drivers.isEnabled(), fieldsEnabled);
        QCOMPARE(dialog.driverManager.fetchCount, fetchesMade);
        for (const auto direction : dialog.driverManager.directions)
            QCOMPARE(direction, odbc::FetchNext);
        for (const auto size : dialog.driverManager.bufferSizes)
            QCOMPARE(size, 1024);
        const auto handle = ScriptedDriverManager::scriptedHandle();
        for (const auto fetchedFrom : dialog.driverManager.handlesFetchedFrom)
            QCOMPARE(fetchedFrom, handle);
        QCOMPARE(dialog.driverManager.handlesFreed, QList<EnvironmentHandle>{handle});
        QCOMPARE(dialog.driverManager.calls.last(), QStringLiteral("SQLFreeEnv"));
    }

    void driverManagerFailures_data() {
        QTest::addColumn<int>("allocResult");
        QTest::addColumn<bool>("allocThrows");
        QTest::addColumn<Fetches>("fetches");
        QTest::addColumn<bool>("freeThrows");
        QTest::addColumn<QStringList>("dsnItems");
        QTest::addColumn<int>("fetchesMade");
        QTest::addColumn<bool>("environmentFreed");

        Fetch failingToRun;
        failingToRun.throws = true;
        const QStringList noneOnly{"(None)"};

        QTest::newRow("allocation returns SQL_ERROR")
            << -1 << false << Fetches{source("Payroll", "D")} << false << noneOnly << 0 << false;
        QTest::newRow("driver manager cannot be loaded")
            << 0 << true << Fetches{failingToRun, failingToRun} << false << noneOnly << 1 << false;
        QTest::newRow("allocation with info keeps the environment")
            << 1 << false << Fetches{source("Payroll", "D")} << false
            << QStringList{"(None)", "Payroll"} << 2 << true;
        QTest::newRow("first fetch fails to run")
            << 0 << false << Fetches{failingToRun, source("Payroll", "D")} << false << noneOnly << 1
            << true;
        QTest::newRow("fetch fails to run after one source")
            << 0 << false << Fetches{source("Payroll", "D"), failingToRun, source("Stock", "D")}
            << false << QStringList{"(None)", "Payroll"} << 2 << true;
        QTest::newRow("freeing fails") << 0 << false << Fetches{source("Payroll", "D")} << true
                                       << QStringList{"(None)", "Payroll"} << 2 << true;
    }
    void driverManagerFailures() {
        QFETCH(int, allocResult);
        QFETCH(bool, allocThrows);
        QFETCH(Fetches, fetches);
        QFETCH(bool, freeThrows);
        QFETCH(QStringList, dsnItems);
        QFETCH(int, fetchesMade);
        QFETCH(bool, environmentFreed);
        Dialog dialog;
        dialog.driverManager.allocResult = static_cast<std::int16_t>(allocResult);
        dialog.driverManager.allocThrows = allocThrows;
        dialog.driverManager.fetches = fetches;
        dialog.driverManager.freeThrows = freeThrows;

        dialog.load();

        QCOMPARE(dialog.dsnList.items(), dsnItems);
        QCOMPARE(dialog.dsnList.Text(), QStringLiteral("(None)"));
        QVERIFY(dialog.server.isEnabled());
        QVERIFY(dialog.drivers.isEnabled());
        QCOMPARE(dialog.driverManager.fetchCount, fetchesMade);
        const QList<EnvironmentHandle> freed =
            environmentFreed ? QList<EnvironmentHandle>{ScriptedDriverManager::scriptedHandle()}
                             : QList<EnvironmentHandle>{};
        QCOMPARE(dialog.driverManager.handlesFreed, freed);
    }

    void removalFailingOnceIsRetried() {
        Dialog dialog;
        dialog.driverManager.fetches = {source("A", "Same"), source("B", "Same"),
                                        source("C", "Other")};
        dialog.drivers.failOn(SortedComboList::Member::RemoveItem, 1);

        dialog.load();

        QCOMPARE(dialog.drivers.items(), (QStringList{"Other", "Same"}));
        QCOMPARE(dialog.dsnList.items(), (QStringList{"(None)", "A", "B", "C"}));
    }

    void addingFailsForOneSource() {
        Dialog dialog;
        dialog.driverManager.fetches = {source("A", "D1"), source("B", "D2")};
        dialog.dsnList.failOn(SortedComboList::Member::AddItem, 2);

        dialog.load();

        // "(None)" and the first name were refused; the second name and both drivers stay.
        QCOMPARE(dialog.dsnList.items(), QStringList{"B"});
        QCOMPARE(dialog.drivers.items(), (QStringList{"D1", "D2"}));
        QCOMPARE(dialog.dsnList.ListIndex(), 0);
        QVERIFY(!dialog.server.isEnabled());
    }

    void click_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("textFails");
        QTest::addColumn<bool>("fieldsEnabled");

        QTest::newRow("(None) enables") << 0 << false << true;
        QTest::newRow("a data source disables") << 1 << false << false;
        QTest::newRow("no selection disables") << -1 << false << false;
        QTest::newRow("a failing text read enables") << 1 << true << true;
    }
    void click() {
        QFETCH(int, selected);
        QFETCH(bool, textFails);
        QFETCH(bool, fieldsEnabled);
        SortedComboList dsnList;
        dsnList.AddItem("(None)");
        dsnList.AddItem("Payroll");
        SortedComboList drivers(!fieldsEnabled);
        drivers.AddItem("PostgreSQL Unicode");
        drivers.AddItem("SQLite3");
        drivers.setListIndex(1);
        PlainTextField server("store1", !fieldsEnabled);
        dsnList.setListIndex(static_cast<std::int16_t>(selected));
        if (textFails)
            dsnList.failOn(SortedComboList::Member::Text);

        cboDSNList_Click(dsnList, drivers, server);

        QCOMPARE(server.isEnabled(), fieldsEnabled);
        QCOMPARE(drivers.isEnabled(), fieldsEnabled);
        QCOMPARE(server.Text(), QStringLiteral("store1"));
        QCOMPARE(drivers.Text(), QStringLiteral("SQLite3"));
        QCOMPARE(drivers.ListCount(), 2);
    }
};

QTEST_MAIN(EnumerationTest)
#include "tst_enumeration.moc"
