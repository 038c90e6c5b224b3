#include "support/OdbcConfiguration.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

namespace qor::test {

namespace {

// Tells the copy that it is one, and where its result goes.
constexpr char resultFileVariable[] = "QOR_ODBC_RESULT_FILE";

// How long one enumeration may take: the slowest configurations tried list hundreds of sources.
constexpr int childTimeoutMs = 120000;

bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

OdbcChildOutcome failed(const QString& why) {
    return {false, why, {}};
}

} // namespace

OdbcConfiguration sampleDataSources() {
    return {.systemIni = "[Payroll]\nDriver=PostgreSQL Unicode\n\n[Stock]\nDriver=SQLite3\n",
            .userIni = "[Archive]\nDriver=PostgreSQL Unicode\n",
            .variables = {}};
}

QString useOdbcConfiguration(const QString& folder, const OdbcConfiguration& configuration,
                             QProcessEnvironment& environment) {
    const QString systemIni = folder + "/odbc.ini", userIni = folder + "/user.ini";
    if (!writeFile(systemIni, configuration.systemIni) ||
        !writeFile(userIni, configuration.userIni))
        return "the ODBC configuration could not be written to " + folder;
    environment.insert("ODBCSYSINI", folder);
    environment.insert("ODBCINI", userIni);
    environment.remove("ODBCSEARCH");
    for (const auto& [name, value] : configuration.variables) {
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    return {};
}

bool isOdbcChild() {
    return qEnvironmentVariableIsSet(resultFileVariable);
}

void finishOdbcChild(const QByteArray& result) {
    std::exit(writeFile(qEnvironmentVariable(resultFileVariable), result) ? 0 : 2);
}

OdbcChildOutcome runOdbcChild(const OdbcConfiguration& configuration) {
    QTemporaryDir folder;
    if (!folder.isValid())
        return failed("no temporary folder: " + folder.errorString());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (const QString unusable = useOdbcConfiguration(folder.path(), configuration, environment);
        !unusable.isEmpty())
        return failed(unusable);
    // Keeps the real home's ~/.odbc.ini out of reach, whatever the driver manager falls back to.
    environment.insert("HOME", folder.path());
    const QString resultFile = folder.filePath("result");
    environment.insert(resultFileVariable, resultFile);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForFinished(childTimeoutMs))
        return failed("the copy using unixODBC did not finish");
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return failed(QStringLiteral("the copy using unixODBC failed (exit code %1): %2")
                          .arg(child.exitCode())
                          .arg(QString::fromLocal8Bit(child.readAllStandardError())));

    QFile result(resultFile);
    if (!result.open(QIODevice::ReadOnly))
        return failed("the copy using unixODBC left no result");
    return {true, {}, result.readAll()};
}

} // namespace qor::test
