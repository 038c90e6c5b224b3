#include "support/OdbcConfiguration.h"

#include "app/platform/UnixOdbcDriverManager.h"
#include "support/PlainTextField.h"
#include "support/SortedComboList.h"
#include "support/TestFiles.h"
#include "windows/datasource/DataSourceEnumeration.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

namespace qor::test {

namespace {

// Tells the copy that it is one, and where its result goes.
constexpr char resultFileVariable[] = "QOR_ODBC_RESULT_FILE";
// The driver manager library that the copy loads, when not the installed one.
constexpr char libraryVariable[] = "QOR_ODBC_LIBRARY";

// How long one enumeration may take: the slowest configurations tried list hundreds of sources.
constexpr int copyTimeoutMs = 120000;

// Passes every call to the real driver manager and keeps the codes that allocation and freeing
// return, so the test can see that the environment was freed.
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

QList<int> integers(const QJsonValue& array) {
    QList<int> values;
    for (const QJsonValue value : array.toArray())
        values << value.toInt();
    return values;
}

OdbcEnumeration failed(const QString& why) {
    OdbcEnumeration enumeration;
    enumeration.error = why;
    return enumeration;
}

} // namespace

OdbcConfiguration sampleDataSources() {
    return {.systemIni = "[Payroll]\nDriver=PostgreSQL Unicode\n\n[Stock]\nDriver=SQLite3\n",
            .userIni = "[Archive]\nDriver=PostgreSQL Unicode\n"};
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
    return {};
}

void enumerateIfCopy() {
    if (!qEnvironmentVariableIsSet(resultFileVariable))
        return;
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
    const bool handedBack =
        writeFile(qEnvironmentVariable(resultFileVariable), QJsonDocument(result).toJson());
    std::exit(handedBack ? 0 : 2);
}

OdbcEnumeration enumerateInFreshProcess(const OdbcConfiguration& configuration,
                                        const QByteArray& library) {
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
    environment.remove(libraryVariable);
    if (!library.isEmpty())
        environment.insert(libraryVariable, QString::fromLocal8Bit(library));
    QProcess copy;
    copy.setProcessEnvironment(environment);
    copy.start(QCoreApplication::applicationFilePath(), {});
    if (!copy.waitForFinished(copyTimeoutMs))
        return failed("the copy using unixODBC did not finish");
    if (copy.exitStatus() != QProcess::NormalExit || copy.exitCode() != 0)
        return failed(QStringLiteral("the copy using unixODBC failed (exit code %1): %2")
                          .arg(copy.exitCode())
                          .arg(QString::fromLocal8Bit(copy.readAllStandardError())));

    QFile file(resultFile);
    if (!file.open(QIODevice::ReadOnly))
        return failed("the copy using unixODBC left no result");
    const QJsonObject result = QJsonDocument::fromJson(file.readAll()).object();
    if (result.isEmpty())
        return failed("the copy using unixODBC left a result that cannot be read");
    OdbcEnumeration enumeration;
    enumeration.dsnItems = result["dsnItems"].toVariant().toStringList();
    enumeration.driverItems = result["driverItems"].toVariant().toStringList();
    enumeration.selected = result["selected"].toInt(-1);
    enumeration.fieldsEnabled = result["fieldsEnabled"].toBool();
    enumeration.allocResults = integers(result["allocResults"]);
    enumeration.freeResults = integers(result["freeResults"]);
    return enumeration;
}

} // namespace qor::test
