#include "app/Services.h"
#include "app/platform/UnixOdbcDriverManager.h"
#include "support/OdbcConfiguration.h"
#include "support/PlainTextField.h"
#include "support/SortedComboList.h"
#include "windows/datasource/DataSourceEnumeration.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <dlfcn.h>

using namespace qor;
using namespace qor::test;

namespace {

// The driver manager library that the copy of this program loads, when not the installed one.
constexpr char libraryVariable[] = "QOR_ODBC_LIBRARY";

// Passes every call to the real driver manager and keeps the codes that allocation and freeing
// return, so the parent can see that the environment was freed.
class RecordingDriverManager : public DriverManager {
public:
    explicit RecordingDriverManager(DriverManager& real) : real_(real) {}
    QJsonArray allocResults;
    QJsonArray freeResults;

    std::int16_t SQLAllocEnv(EnvironmentHandle* environment) override {
        const auto result = real_.SQLAllocEnv(environment);
        allocResults.append(result);
        return result;
    }
    std::int16_t SQLDataSources(EnvironmentHandle environment, std::uint16_t direction, char* name,
                                std::int16_t nameMax, std::int16_t* nameLength, char* description,
                                std::int16_t descriptionMax,
                                std::int16_t* descriptionLength) override {
        return real_.SQLDataSources(environment, direction, name, nameMax, nameLength, description,
                                    descriptionMax, descriptionLength);
    }
    std::int16_t SQLFreeEnv(EnvironmentHandle environment) override {
        const auto result = real_.SQLFreeEnv(environment);
        freeResults.append(result);
        return result;
    }

private:
    DriverManager& real_;
};

// Run in a fresh copy of this program for each configuration: hands back, as JSON, the lists
// and fields as the enumeration left them and what the driver manager answered.
void enumerateInChild() {
    const QByteArray library = qgetenv(libraryVariable);
    UnixOdbcDriverManager driverManager(library.isEmpty() ? QByteArray("libodbc.so.2") : library);
    RecordingDriverManager recording(driverManager);
    SortedComboList dsnList;
    SortedComboList drivers(false);
    PlainTextField server(QString(), false);
    dsnList.onClick = [&] { cboDSNList_Click(dsnList, drivers, server); };

    GetDSNsAndDrivers(recording, dsnList, drivers);

    const QJsonObject result{
        {"dsnItems", QJsonArray::fromStringList(dsnList.items())},
        {"driverItems", QJsonArray::fromStringList(drivers.items())},
        {"selected", dsnList.ListIndex()},
        {"fieldsEnabled", server.isEnabled() && drivers.isEnabled()},
        {"allocResults", recording.allocResults},
        {"freeResults", recording.freeResults},
    };
    finishOdbcChild(QJsonDocument(result).toJson());
}

} // namespace

class UnixOdbcTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (isOdbcChild())
            enumerateInChild();
        const UnixOdbcDriverManager driverManager;
        QVERIFY2(driverManager.isLoaded(),
                 qPrintable(driverManager.loadError() +
                            " (Debian: apt-get install libodbc2 unixodbc-common)"));
    }

    void unusableLibraryNamesTheCause_data() {
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << QByteArray("libqor-no-such-driver-manager.so.2")
                                 << "libqor-no-such-driver-manager.so.2 could not be loaded";
        QTest::newRow("without the functions")
            << QByteArray("libc.so.6") << "libc.so.6 lacks SQLAllocEnv";
    }
    void unusableLibraryNamesTheCause() {
        QFETCH(QByteArray, library);
        QFETCH(QString, cause);
        UnixOdbcDriverManager driverManager(library);
        QVERIFY(!driverManager.isLoaded());
        EnvironmentHandle environment = nullptr;
        std::int16_t length = 0;
        char buffer[8];
        const auto failureOf = [](auto&& call) {
            try {
                call();
            } catch (const Failure& failure) {
                return failure.text();
            }
            return QString();
        };
        for (const QString& failure :
             {failureOf([&] { driverManager.SQLAllocEnv(&environment); }), failureOf([&] {
                  driverManager.SQLDataSources(environment, odbc::FetchNext, buffer, 8, &length,
                                               buffer, 8, &length);
              }),
              failureOf([&] { driverManager.SQLFreeEnv(environment); })})
            QVERIFY2(failure.contains(cause), qPrintable(failure));
    }

    // unixODBC keeps a cache of its ini files in its globals: unloaded with the loader, the
    // library would leave the cache in memory that nothing reaches any more, which the sanitizer
    // build reports as lost.
    void driverManagerOutlivesItsLoader() {
        {
            const UnixOdbcDriverManager driverManager;
            QVERIFY(driverManager.isLoaded());
        }
        void* stillMapped = ::dlopen("libodbc.so.2", RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(stillMapped);
        ::dlclose(stillMapped);
    }

    void enumerates_data() {
        QTest::addColumn<QByteArray>("userIni");
        QTest::addColumn<QByteArray>("systemIni");
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<QStringList>("dsnItems");
        QTest::addColumn<QStringList>("driverItems");
        QTest::addColumn<bool>("environmentUsed");

        QTest::newRow("three sources, two sharing a driver")
            << QByteArray()
            << QByteArray("[Payroll]\nDriver=PostgreSQL Unicode\n\n"
                          "[Stock Keeping]\nDriver=SQLite3\n\n"
                          "[Archive]\nDriver=PostgreSQL Unicode\n")
            << QByteArray() << QStringList{"(None)", "Archive", "Payroll", "Stock Keeping"}
            << QStringList{"PostgreSQL Unicode", "SQLite3"} << true;
        QTest::newRow("user and system sources together")
            << QByteArray("[Personal]\nDriver=SQLite3\n")
            << QByteArray("[Company]\nDriver=PostgreSQL Unicode\n\n[Shared]\nDriver=SQLite3\n")
            << QByteArray() << QStringList{"(None)", "Company", "Personal", "Shared"}
            << QStringList{"PostgreSQL Unicode", "SQLite3"} << true;
        QTest::newRow("UTF-8 name and driver")
            << QByteArray("[\xC3\x85ngstr\xC3\xB6m Lager \xE2\x82\xAC]\nDriver=Tr\xC3\xA9iber\n")
            << QByteArray() << QByteArray()
            << QStringList{"(None)", QString::fromUtf8("\xC3\x85ngstr\xC3\xB6m Lager \xE2\x82\xAC")}
            << QStringList{QString::fromUtf8("Tr\xC3\xA9iber")} << true;
        QTest::newRow("no data source") << QByteArray() << QByteArray() << QByteArray()
                                        << QStringList{"(None)"} << QStringList{} << true;
        QTest::newRow("driver manager cannot be loaded")
            << QByteArray() << QByteArray("[Payroll]\nDriver=PostgreSQL Unicode\n")
            << QByteArray("libqor-no-such-driver-manager.so.2") << QStringList{"(None)"}
            << QStringList{} << false;
    }
    void enumerates() {
        QFETCH(QByteArray, userIni);
        QFETCH(QByteArray, systemIni);
        QFETCH(QByteArray, library);
        QFETCH(QStringList, dsnItems);
        QFETCH(QStringList, driverItems);
        QFETCH(bool, environmentUsed);
        const OdbcChildOutcome child =
            runOdbcChild({.systemIni = systemIni,
                          .userIni = userIni,
                          .variables = {{libraryVariable, QString::fromLatin1(library)}}});
        QVERIFY2(child.ok, qPrintable(child.error));
        const QJsonObject result = QJsonDocument::fromJson(child.result).object();
        QCOMPARE(result["dsnItems"].toVariant().toStringList(), dsnItems);
        QCOMPARE(result["driverItems"].toVariant().toStringList(), driverItems);
        QCOMPARE(result["selected"].toInt(), 0);
        QVERIFY(result["fieldsEnabled"].toBool());
        // A real environment was allocated and the driver manager accepted its release.
        const QJsonArray succeededOnce{odbc::Success};
        QCOMPARE(result["allocResults"].toArray(), environmentUsed ? succeededOnce : QJsonArray());
        QCOMPARE(result["freeResults"].toArray(), environmentUsed ? succeededOnce : QJsonArray());
    }
};

QTEST_MAIN(UnixOdbcTest)
#include "tst_unixodbc.moc"
