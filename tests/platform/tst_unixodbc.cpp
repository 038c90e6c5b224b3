#include "app/Services.h"
#include "app/platform/UnixOdbcDriverManager.h"
#include "support/OdbcConfiguration.h"

#include <QTest>
#include <dlfcn.h>

using namespace qor;
using namespace qor::test;

class UnixOdbcTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        enumerateIfCopy();
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
        const OdbcEnumeration listed =
            enumerateInFreshProcess({.systemIni = systemIni, .userIni = userIni}, library);
        QVERIFY2(listed.error.isEmpty(), qPrintable(listed.error));
        QCOMPARE(listed.dsnItems, dsnItems);
        QCOMPARE(listed.driverItems, driverItems);
        QCOMPARE(listed.selected, 0);
        QVERIFY(listed.fieldsEnabled);
        // A real environment was allocated and the driver manager accepted its release.
        const QList<int> succeededOnce{odbc::Success};
        QCOMPARE(listed.allocResults, environmentUsed ? succeededOnce : QList<int>());
        QCOMPARE(listed.freeResults, environmentUsed ? succeededOnce : QList<int>());
    }
};

QTEST_MAIN(UnixOdbcTest)
#include "tst_unixodbc.moc"
