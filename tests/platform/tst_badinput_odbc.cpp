#include "app/platform/UnixOdbcDriverManager.h"
#include "support/OdbcConfiguration.h"

#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

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
        enumerateIfCopy();
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

        QTest::newRow("Latin-1 bytes")
            << sourcesIni({"Caf\xE9 Gr\xFC\xDF"})
            << QStringList{"(None)", QStringLiteral("Caf\uFFFD Gr\uFFFD\uFFFD")};
        // Qt's decoder replaces each byte of an unfinished sequence.
        QTest::newRow("an unfinished character at the end")
            << sourcesIni({"Euro \xE2\x82"})
            << QStringList{"(None)", QStringLiteral("Euro \uFFFD\uFFFD")};
        QTest::newRow("control characters")
            << sourcesIni({"Bell\x07Name", "Esc\x1B[31mRed"})
            << QStringList{"(None)", "Bell\x07Name", "Esc\x1B[31mRed"};
    }
    void awkwardSourcesAreListed() {
        QFETCH(QByteArray, systemIni);
        QFETCH(QStringList, dsnItems);
        const OdbcEnumeration listed =
            enumerateInFreshProcess({.systemIni = systemIni, .userIni = {}});
        QVERIFY2(listed.error.isEmpty(), qPrintable(listed.error));
        QCOMPARE(listed.dsnItems, dsnItems);
    }
};

QTEST_MAIN(BadInputOdbcTest)
#include "tst_badinput_odbc.moc"
