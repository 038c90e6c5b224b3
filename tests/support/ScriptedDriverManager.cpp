#include "support/ScriptedDriverManager.h"

#include "base/Failure.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace qor {

namespace {

// Copies as much of the text as fits with its terminator and reports its full length, as a
// driver manager does when it has to truncate.
void deliver(const QByteArray& text, std::optional<std::int16_t> reportedLength, char* buffer,
             std::int16_t bufferMax, std::int16_t* length) {
    if (buffer && bufferMax > 0) {
        const auto copied = std::min<qsizetype>(text.size(), bufferMax - 1);
        std::memcpy(buffer, text.constData(), static_cast<std::size_t>(copied));
        buffer[copied] = '\0';
    }
    if (length)
        *length = reportedLength.value_or(static_cast<std::int16_t>(text.size()));
}

} // namespace

EnvironmentHandle ScriptedDriverManager::scriptedHandle() {
    return reinterpret_cast<EnvironmentHandle>(std::uintptr_t{0x5EED0000});
}

std::int16_t ScriptedDriverManager::SQLAllocEnv(EnvironmentHandle* environment) {
    calls << QStringLiteral("SQLAllocEnv");
    ++allocCount;
    if (allocThrows)
        throw Failure("scripted: the driver manager cannot be loaded");
    if (allocResult != odbc::Error)
        *environment = scriptedHandle();
    return allocResult;
}

std::int16_t ScriptedDriverManager::SQLDataSources(EnvironmentHandle environment,
                                                   std::uint16_t direction, char* name,
                                                   std::int16_t nameMax, std::int16_t* nameLength,
                                                   char* description, std::int16_t descriptionMax,
                                                   std::int16_t* descriptionLength) {
    calls << QStringLiteral("SQLDataSources");
    handlesFetchedFrom << environment;
    directions << direction;
    bufferSizes << nameMax << descriptionMax;
    Fetch fetch;
    fetch.returnCode = odbc::NoData;
    if (fetchCount < fetches.size())
        fetch = fetches.at(fetchCount);
    ++fetchCount;
    if (fetch.throws)
        throw Failure("scripted: the fetch cannot be made");
    if (fetch.returnCode == odbc::Success || fetch.returnCode == odbc::SuccessWithInfo) {
        deliver(fetch.name, fetch.nameLength, name, nameMax, nameLength);
        deliver(fetch.description, fetch.descriptionLength, description, descriptionMax,
                descriptionLength);
    }
    return fetch.returnCode;
}

std::int16_t ScriptedDriverManager::SQLFreeEnv(EnvironmentHandle environment) {
    calls << QStringLiteral("SQLFreeEnv");
    ++freeCount;
    handlesFreed << environment;
    if (freeThrows)
        throw Failure("scripted: the environment cannot be freed");
    return freeResult;
}

} // namespace qor
