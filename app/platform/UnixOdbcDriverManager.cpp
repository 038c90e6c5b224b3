#include "app/platform/UnixOdbcDriverManager.h"

#include "base/Failure.h"

#include <dlfcn.h>

namespace qor {

namespace {

QString lastLoaderError() {
    const char* error = dlerror();
    return error ? QString::fromLocal8Bit(error) : QStringLiteral("unknown reason");
}

} // namespace

UnixOdbcDriverManager::UnixOdbcDriverManager(const QByteArray& libraryName)
    : libraryName_(libraryName) {}

void UnixOdbcDriverManager::load() const {
    if (loadTried_)
        return;
    loadTried_ = true;
    void* library = dlopen(libraryName_.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        loadError_ = QStringLiteral("The ODBC driver manager %1 could not be loaded: %2")
                         .arg(QString::fromLocal8Bit(libraryName_), lastLoaderError());
        return;
    }
    // The narrow entry points: names come back as bytes in the locale encoding.
    const auto resolve = [&](const char* symbol) -> void* {
        dlerror();
        void* address = dlsym(library, symbol);
        if (!address && loadError_.isEmpty())
            loadError_ = QStringLiteral("The ODBC driver manager %1 lacks %2: %3")
                             .arg(QString::fromLocal8Bit(libraryName_), QString::fromLatin1(symbol),
                                  lastLoaderError());
        return address;
    };
    void* allocEnv = resolve("SQLAllocEnv");
    void* dataSources = resolve("SQLDataSources");
    void* freeEnv = resolve("SQLFreeEnv");
    if (!loadError_.isEmpty()) {
        dlclose(library);
        return;
    }
    library_ = library;
    allocEnv_ = reinterpret_cast<AllocEnvFunction>(allocEnv);
    dataSources_ = reinterpret_cast<DataSourcesFunction>(dataSources);
    freeEnv_ = reinterpret_cast<FreeEnvFunction>(freeEnv);
}

UnixOdbcDriverManager::~UnixOdbcDriverManager() {
    if (library_)
        dlclose(library_);
}

bool UnixOdbcDriverManager::isLoaded() const {
    load();
    return library_ != nullptr;
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
