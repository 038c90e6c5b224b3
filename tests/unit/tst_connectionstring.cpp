#include "support/PlainTextField.h"
#include "support/SortedComboList.h"
#include "windows/datasource/ConnectionString.h"

#include <QTest>

using namespace qor;

class ConnectionStringTest : public QObject {
    Q_OBJECT
private slots:
    void compose_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("dataSource");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("pwd");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("expected");

        QTest::newRow("data source selected")
            << 2 << "Payroll"
            << ""
            << ""
            << "clerk"
            << ""
            << "ledger"
            << "PROVIDER=MSDASQL;DSN=Payroll;UID=clerk;PWD=;Database=ledger;";
        QTest::newRow("driver and server")
            << 0 << ""
            << "Sample Driver"
            << "store1"
            << ""
            << ""
            << ""
            << "PROVIDER=MSDASQL;Driver=Sample Driver;Server=store1;UID=;PWD=;";
        QTest::newRow("no selection takes the driver form")
            << -1 << ""
            << ""
            << ""
            << "sa"
            << "pw"
            << ""
            << "PROVIDER=MSDASQL;Driver=;Server=;UID=sa;PWD=pw;";
        QTest::newRow("position 0 ignores the data source name")
            << 0 << "Payroll"
            << "D"
            << "S"
            << ""
            << ""
            << ""
            << "PROVIDER=MSDASQL;Driver=D;Server=S;UID=;PWD=;";
        QTest::newRow("position 1 ignores driver and server")
            << 1 << "!Legacy"
            << "D"
            << "S"
            << ""
            << ""
            << ""
            << "PROVIDER=MSDASQL;DSN=!Legacy;UID=;PWD=;";
        QTest::newRow("database of only blanks")
            << 2 << "Payroll"
            << ""
            << ""
            << "u"
            << "p"
            << "   "
            << "PROVIDER=MSDASQL;DSN=Payroll;UID=u;PWD=p;Database=   ;";
        QTest::newRow("values are written as typed")
            << 0 << ""
            << "My Driver 2.0"
            << " host = x } "
            << "O'Brien"
            << "a\"b"
            << "db}"
            << "PROVIDER=MSDASQL;Driver=My Driver 2.0;Server= host = x } ;UID=O'Brien;PWD=a\"b;"
               "Database=db};";
        QTest::newRow("a semicolon puts the value in braces")
            << 2 << "Pay;roll"
            << ""
            << ""
            << "clerk;Trusted_Connection=yes"
            << "x;y}"
            << ";"
            << "PROVIDER=MSDASQL;DSN={Pay;roll};UID={clerk;Trusted_Connection=yes};PWD={x;y}}};"
               "Database={;};";
        QTest::newRow("a leading brace puts the value in braces")
            << 0 << ""
            << "{Sample Driver}"
            << "{"
            << "{a}b}"
            << ""
            << ""
            << "PROVIDER=MSDASQL;Driver={{Sample Driver}}};Server={{};UID={{a}}b}}};PWD=;";
    }
    void compose() {
        QFETCH(int, position);
        ConnectionSettings settings;
        settings.position = static_cast<std::int16_t>(position);
        QFETCH(QString, dataSource);
        QFETCH(QString, driver);
        QFETCH(QString, server);
        QFETCH(QString, uid);
        QFETCH(QString, pwd);
        QFETCH(QString, database);
        QFETCH(QString, expected);
        settings.dataSource = dataSource;
        settings.driver = driver;
        settings.server = server;
        settings.uid = uid;
        settings.pwd = pwd;
        settings.database = database;

        const QString connectionString = composeConnectionString(settings);
        QCOMPARE(connectionString, expected);

        const QStringList lines = composeSampleCode(connectionString).split("\r\n");
        QCOMPARE(lines.size(), 9);
        QVERIFY(lines.at(2).startsWith("gConnection.Open \""));
        QVERIFY(lines.at(2).endsWith('"'));
        // Inside the literal every quote is doubled, so it holds exactly the connection string.
        const QString literal = lines.at(2).mid(18).chopped(1);
        QVERIFY(!QString(literal).remove("\"\"").contains('"'));
        QCOMPARE(QString(literal).replace("\"\"", "\""), connectionString);
    }

    void sampleCodeOfTheFirstExample() {
        const QString connectionString =
            "PROVIDER=MSDASQL;DSN=Payroll;UID=clerk;PWD=;Database=ledger;";
        const QString message = composeSampleCode(connectionString);

        QCOMPARE(message,
                 QStringLiteral(
                     "To open an ADO Connection, use:\r\n"
                     "Set gConnection = New Connection\r\n"
                     "gConnection.Open \"PROVIDER=MSDASQL;DSN=Payroll;UID=clerk;PWD=;Database="
                     "ledger;\"\r\n"
                     "\r\n"
                     "To open a DAO database object, use:\r\n"
                     "Set gDatabase = OpenDatabase(vbNullString, 0, 0, sDAOConnect)\r\n"
                     "\r\n"
                     "Or to open an RDO Connection, use:\r\n"
                     "Set gRDOConnection = rdoEnvironments(0).OpenConnection(sDSN, "
                     "rdDriverNoPrompt, 0, sConnect)"));
        QCOMPARE(message.split("\r\n").at(2).size(), 79);
    }

    void messageLength_data() {
        QTest::addColumn<QString>("connectionString");
        QTest::newRow("first example")
            << "PROVIDER=MSDASQL;DSN=Payroll;UID=clerk;PWD=;Database=ledger;";
        QTest::newRow("second example")
            << "PROVIDER=MSDASQL;Driver=Sample Driver;Server=store1;UID=;PWD=;";
        QTest::newRow("empty") << "";
    }
    void messageLength() {
        QFETCH(QString, connectionString);
        QCOMPARE(composeSampleCode(connectionString).size(), 319 + connectionString.size());
    }

    void readsByPosition_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("expected");

        QTest::newRow("data source with stale driver and server")
            << 2 << "PROVIDER=MSDASQL;DSN=Stock;UID=clerk;PWD=;Database=ledger;";
        QTest::newRow("(None)")
            << 0 << "PROVIDER=MSDASQL;Driver=SQLite3;Server=store1;UID=clerk;PWD=;Database=ledger;";
        QTest::newRow("no selection")
            << -1
            << "PROVIDER=MSDASQL;Driver=SQLite3;Server=store1;UID=clerk;PWD=;Database=ledger;";
    }
    void readsByPosition() {
        QFETCH(int, selected);
        QFETCH(QString, expected);
        SortedComboList dsnList;
        for (const char* item : {"(None)", "Payroll", "Stock"})
            dsnList.AddItem(item);
        dsnList.setListIndex(static_cast<std::int16_t>(selected));
        SortedComboList drivers;
        drivers.AddItem("SQLite3");
        drivers.setListIndex(0);
        const PlainTextField server("store1", selected <= 0);
        const PlainTextField uid("clerk"), pwd(""), database("ledger");
        // A value that the position rules out is not read at all: reading it would fail here.
        if (selected > 0)
            drivers.failOn(SortedComboList::Member::Text);
        else
            dsnList.failOn(SortedComboList::Member::Text);

        const ConnectionSettings settings =
            readConnectionSettings(dsnList, drivers, server, uid, pwd, database);

        QCOMPARE(int(settings.position), selected);
        QCOMPARE(composeConnectionString(settings), expected);
    }
};

QTEST_MAIN(ConnectionStringTest)
#include "tst_connectionstring.moc"
