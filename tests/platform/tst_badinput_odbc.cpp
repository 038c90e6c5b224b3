#include "windows/datasource/DataSourceEnumeration.h"
#include "windows/datasource/PlainTextField.h"
#include "windows/datasource/SortedComboList.h"
#include "windows/datasource/UnixOdbcDriverManager.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

using namespace qor;

namespace {

// unixODBC fixes its system folder the first time a process uses it, so each configuration is
// enumerated by a fresh copy of this program, which writes the data source list, one name a
// line, UTF-8, into this file.
constexpr char resultFileVariable[] = "QOR_ODBC_RESULT_FILE";

void enumerateIntoResultFile() {
    UnixOdbcDriverManager driverManager;
    SortedComboList dsnList;
    SortedComboList drivers(false);
    PlainTextField server(QString(), false);
    GetDSNsAndDrivers(driverManager, dsnList, drivers);
    QFile file(qEnvironmentVariable(resultFileVariable));
    if (!file.open(QIODevice::WriteOnly) || file.write(dsnList.items().join(u'\n').toUtf8()) < 0)
        std::exit(2);
}

QByteArray sourcesIni(const QList<QByteArray>& names) {
    QByteArray ini;
    for (const QByteArray& name : names)
        ini += "[" + name + "]\nDriver=SQLite3\n\n";
    return ini;
}

QList<QByteArray> numberedNames(int count) {
    QList<QByteArray> names;
    for (int i = 1; i <= count; ++i)
        names << QByteArray("Data Source ") + QByteArray::number(i).rightJustified(3, '0');
    return names;
}

} // namespace

class BadInputOdbcTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsSet(resultFileVariable)) {
            enumerateIntoResultFile();
            std::exit(0);
        }
        QVERIFY2(UnixOdbcDriverManager().isLoaded(), "unixODBC is not installed");
    }

    void awkwardSourcesAreListed_data() {
        QTest::addColumn<QByteArray>("systemIni");
        QTest::addColumn<QStringList>("dsnItems");

        // unixODBC gathers the section names into one 4 KB buffer and lists only the names
        // that fit whole, so of 300 names of 15 bytes (16 with the separator) the first 256 come
        // through; the rest are not offered and nothing waits for them.
        QStringList first256{"(None)"};
        for (const QByteArray& name : numberedNames(256))
            first256 << QString::fromLatin1(name);
        QTest::newRow("300 sources") << sourcesIni(numberedNames(300)) << first256;

        QTest::newRow("Latin-1 bytes") << sourcesIni({"Caf\xE9 Gr\xFC\xDF"})
                                       << QStringList{"(None)", u"Caf\uFFFD Gr\uFFFD\uFFFD"_qs};
        // Qt's decoder replaces each byte of an unfinished sequence.
        QTest::newRow("an unfinished character at the end")
            << sourcesIni({"Euro \xE2\x82"}) << QStringList{"(None)", u"Euro \uFFFD\uFFFD"_qs};
        QTest::newRow("control characters")
            << sourcesIni({"Bell\x07Name", "Esc\x1B[31mRed"})
            << QStringList{"(None)", "Bell\x07Name", "Esc\x1B[31mRed"};
    }
    void awkwardSourcesAreListed() {
        QFETCH(QByteArray, systemIni);
        QFETCH(QStringList, dsnItems);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile ini(folder.filePath("odbc.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(systemIni) == systemIni.size());
        ini.close();
        const QString resultFile = folder.filePath("result.txt");

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ODBCSYSINI", folder.path());
        environment.insert("ODBCINI", folder.filePath("user.ini"));
        environment.remove("ODBCSEARCH");
        environment.insert("HOME", folder.path());
        environment.insert(resultFileVariable, resultFile);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY2(child.waitForFinished(120000), "the enumeration did not finish");
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAllStandardError().constData());

        QFile result(resultFile);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(result.readAll()).split(u'\n'), dsnItems);
    }
};

QTEST_MAIN(BadInputOdbcTest)
#include "tst_badinput_odbc.moc"
