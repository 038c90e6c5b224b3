#include "app/platform/UnixOdbcDriverManager.h"

#include "base/Failure.h"

namespace qor {

UnixOdbcDriverManager::UnixOdbcDriverManager(const QByteArray& libraryName)
    : libraryName_(libraryName) {}

void UnixOdbcDriverManager::load() const {
    if (loadTried_)
        return;
    loadTried_ = true;
    SharedLibrary& library = library_.emplace(libraryName_);
    // The narrow entry points: names come back as bytes, which the enumeration reads as UTF-8.
    library.resolve(allocEnv_, "SQLAllocEnv");
    library.resolve(dataSources_, "SQLDataSources");
    library.resolve(freeEnv_, "SQLFreeEnv");
    if (!library.isUsable()) {
        loadError_ = QStringLiteral("The ODBC driver manager ") + library.error();
        library_.reset();
    }
}

bool UnixOdbcDriverManager::isLoaded() const {
    load();
    return library_.has_value();
}

QString UnixOdbcDriverManager::loadError() const {
    load();
    return loadError_;
}

void UnixOdbcDriverManager::requireLoaded() const {
    load();
    if (!library_)
        throw Failure(loadError_.toStdString());
}

std::int16_t UnixOdbcDriverManager::SQLAllocEnv(EnvironmentHandle* environment) {
    requireLoaded();
    return allocEnv_(environment);
}

std::int16_t UnixOdbcDriverManager::SQLDataSources(EnvironmentHandle environment,
                                                   std::uint16_t direction, char* name,
                                                   std::int16_t nameMax, std::int16_t* nameLength,
                                                   char* description, std::int16_t descriptionMax,
                                                   std::int16_t* descriptionLength) {
    requireLoaded();
    return dataSources_(environment, direction, reinterpret_cast<unsigned char*>(name), nameMax,
                        nameLength, reinterpret_cast<unsigned char*>(description), descriptionMax,
                        descriptionLength);
}

std::int16_t UnixOdbcDriverManager::SQLFreeEnv(EnvironmentHandle environment) {
    requireLoaded();
    return freeEnv_(environment);
}

} // namespace qor
