#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <map>

namespace qor::test {

struct OdbcConfiguration {
    QByteArray systemIni; // odbc.ini in the system folder
    QByteArray userIni;   // the user's odbc.ini
    // Further variables of the environment; an empty value removes the variable.
    std::map<QString, QString> variables;
};

// Two system data sources and one user data source; two of them share a driver.
OdbcConfiguration sampleDataSources();

// Writes the configuration's files into `folder` and points the environment at them, so that
// unixODBC reads them and no other configuration; an empty text when that succeeded, else why not.
QString useOdbcConfiguration(const QString& folder, const OdbcConfiguration& configuration,
                             QProcessEnvironment& environment);

// unixODBC fixes its configuration folders the first time a process uses it, so every
// configuration a test tries is used by a fresh copy of the test program: the copy does its
// part against the real driver manager and hands back what it found.

// True in such a copy. A suite's initTestCase asks first and, in the copy, does its part and
// calls finishOdbcChild.
bool isOdbcChild();
// Hands the copy's result to the test that started it and ends the copy.
[[noreturn]] void finishOdbcChild(const QByteArray& result);

struct OdbcChildOutcome {
    bool ok = false;
    QString error; // why there is no result, when not ok
    QByteArray result;
};

// Runs a copy of this program on the configuration, in a fresh folder.
OdbcChildOutcome runOdbcChild(const OdbcConfiguration& configuration);

} // namespace qor::test
