#include "windows/datasource/ConnectionString.h"

#include <QStringList>

namespace qor {

namespace {

// A ";" would end the value early and a leading "{" would open a braced value, so such a value
// is written in braces, where only a doubled "}" stands for itself. Other values are written
// as typed.
QString attributeValue(const QString& value) {
    if (!value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('{')))
        return value;
    QString braced = value;
    braced.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + braced + QLatin1Char('}');
}

QString attribute(const QString& keyword, const QString& value) {
    return keyword + QLatin1Char('=') + attributeValue(value) + QLatin1Char(';');
}

} // namespace

ConnectionSettings readConnectionSettings(const ComboList& dsnList, const ComboList& drivers,
                                          const TextField& server, const TextField& uid,
                                          const TextField& pwd, const TextField& database) {
    ConnectionSettings settings;
    settings.position = dsnList.ListIndex();
    if (settings.position > 0) {
        settings.dataSource = dsnList.Text();
    } else {
        settings.driver = drivers.Text();
        settings.server = server.Text();
    }
    settings.uid = uid.Text();
    settings.pwd = pwd.Text();
    settings.database = database.Text();
    return settings;
}

QString composeConnectionString(const ConnectionSettings& settings) {
    QString dsnPart;
    QString connectPart;
    if (settings.position > 0) {
        dsnPart = attribute(QStringLiteral("DSN"), settings.dataSource);
    } else {
        connectPart += attribute(QStringLiteral("Driver"), settings.driver);
        connectPart += attribute(QStringLiteral("Server"), settings.server);
    }
    connectPart += attribute(QStringLiteral("UID"), settings.uid);
    connectPart += attribute(QStringLiteral("PWD"), settings.pwd);
    if (settings.database.size() > 0)
        connectPart += attribute(QStringLiteral("Database"), settings.database);
    return QStringLiteral("PROVIDER=MSDASQL;") + dsnPart + connectPart;
}

QString composeSampleCode(const QString& connectionString) {
    // Doubling the quotes keeps the sample line one string literal whatever the values hold.
    QString quoted = connectionString;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    const QStringList lines = {
        QStringLiteral("To open an ADO Connection, use:"),
        QStringLiteral("Set gConnection = New Connection"),
        QStringLiteral("gConnection.Open \"") + quoted + QLatin1Char('"'),
        QString(),
        QStringLiteral("To open a DAO database object, use:"),
        QStringLiteral("Set gDatabase = OpenDatabase(vbNullString, 0, 0, sDAOConnect)"),
        QString(),
        QStringLiteral("Or to open an RDO Connection, use:"),
        QStringLiteral(
            "Set gRDOConnection = rdoEnvironments(0).OpenConnection(sDSN, rdDriverNoPrompt, 0, "
            "sConnect)"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace qor
