#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace qor::test {

struct OdbcConfiguration {
    QByteArray systemIni; // odbc.ini in the system folder
    QByteArray userIni;   // the user's odbc.ini
};

// Two system data sources and one user data source; two of them share a driver.
OdbcConfiguration sampleDataSources();

// Writes the configuration's files into `folder` and points the environment at them, so that
// unixODBC reads them and no other configuration; an empty text when that succeeded, else why not.
QString useOdbcConfiguration(const QString& folder, const OdbcConfiguration& configuration,
                             QProcessEnvironment& environment);

// What the data source dialog's enumeration leaves when it runs against a real driver manager:
// both lists, the selected position, whether the driver and server fields are enabled, and the
// codes with which the driver manager allocated and freed its environment.
struct OdbcEnumeration {
    QString error; // why the enumeration could not be run; empty when it ran
    QStringList dsnItems;
    QStringList driverItems;
    int selected = -1;
    bool fieldsEnabled = false;
    QList<int> allocResults;
    QList<int> freeResults;
};

// unixODBC fixes its configuration folders the first time a process uses it, so every
// enumeration runs in a fresh copy of the test program, in a fresh folder, with the driver
// manager loaded from `library` (the installed unixODBC when empty).
OdbcEnumeration enumerateInFreshProcess(const OdbcConfiguration& configuration,
                                        const QByteArray& library = {});

// In a copy started by enumerateInFreshProcess: enumerates, hands the result back and ends the
// copy. Elsewhere it returns at once. A suite calls it first in its initTestCase.
void enumerateIfCopy();

} // namespace qor::test
