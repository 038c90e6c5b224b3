#pragma once

#include "app/DriverManager.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>

namespace qor {

// A driver manager for tests: it plays back a script of fetch results, can make any call throw
// or return any code, and records every call it receives.
class ScriptedDriverManager : public DriverManager {
public:
    // One answer to SQLDataSources. Only a successful code writes the name, the description and
    // their lengths, as the real driver manager does; every other code writes nothing. A length
    // left unset reports the text's own byte count.
    struct Fetch {
        std::int16_t returnCode = odbc::Success;
        QByteArray name;
        QByteArray description;
        bool throws = false;
        std::optional<std::int16_t> nameLength;
        std::optional<std::int16_t> descriptionLength;
    };

    // The handle that a successful SQLAllocEnv hands out.
    static EnvironmentHandle scriptedHandle();

    // Answers to the fetches in order; once they run out every fetch answers NoData.
    QList<Fetch> fetches;
    std::int16_t allocResult = odbc::Success;
    bool allocThrows = false;
    std::int16_t freeResult = odbc::Success;
    bool freeThrows = false;

    // What the calls received, in order of arrival.
    QStringList calls;
    int allocCount = 0;
    int fetchCount = 0;
    int freeCount = 0;
    QList<EnvironmentHandle> handlesFetchedFrom;
    QList<EnvironmentHandle> handlesFreed;
    QList<std::uint16_t> directions;
    QList<std::int16_t> bufferSizes;

    std::int16_t SQLAllocEnv(EnvironmentHandle* environment) override;
    std::int16_t SQLDataSources(EnvironmentHandle environment, std::uint16_t direction, char* name,
                                std::int16_t nameMax, std::int16_t* nameLength, char* description,
                                std::int16_t descriptionMax,
                                std::int16_t* descriptionLength) override;
    std::int16_t SQLFreeEnv(EnvironmentHandle environment) override;
};

} // namespace qor
