#pragma once

#include "ui/ListControls.h"

#include <QString>
#include <cstdint>

namespace qor {

// What the data source dialog holds when "&OK" is pressed. A data source is chosen by position:
// above 0 the data source name counts, otherwise the driver and the server.
struct ConnectionSettings {
    std::int16_t position = -1;
    QString dataSource;
    QString driver;
    QString server;
    QString uid;
    QString pwd;
    QString database;
};

// Reads the dialog's fields in the order the "&OK" handler reads them: the data source name only
// when a data source is selected by position, the driver and the server only when not. Failures
// of the controls pass through.
ConnectionSettings readConnectionSettings(const ComboList& dsnList, const ComboList& drivers,
                                          const TextField& server, const TextField& uid,
                                          const TextField& pwd, const TextField& database);

// "PROVIDER=MSDASQL;" followed by the attributes, each ending with ";".
QString composeConnectionString(const ConnectionSettings& settings);

// The nine lines of sample code, joined by CR LF, that show the connection string.
QString composeSampleCode(const QString& connectionString);

} // namespace qor
