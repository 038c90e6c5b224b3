#pragma once

#include "windows/datasource/DriverManager.h"

#include <QByteArray>
#include <QString>

namespace qor {

// The unixODBC driver manager, loaded when this object is built. The program does not link
// against it, so a machine without it still runs QOR: every call then throws Failure naming why
// the library could not be used.
class UnixOdbcDriverManager : public DriverManager {
public:
    explicit UnixOdbcDriverManager(const QByteArray& libraryName = "libodbc.so.2");
    ~UnixOdbcDriverManager() override;
    UnixOdbcDriverManager(const UnixOdbcDriverManager&) = delete;
    UnixOdbcDriverManager& operator=(const UnixOdbcDriverManager&) = delete;

    bool isLoaded() const { return library_ != nullptr; }
    // Why the library could not be used; empty once it is loaded.
    QString loadError() const { return loadError_; }

    std::int16_t SQLAllocEnv(EnvironmentHandle* environment) override;
    std::int16_t SQLDataSources(EnvironmentHandle environment, std::uint16_t direction, char* name,
                                std::int16_t nameMax, std::int16_t* nameLength, char* description,
                                std::int16_t descriptionMax,
                                std::int16_t* descriptionLength) override;
    std::int16_t SQLFreeEnv(EnvironmentHandle environment) override;

private:
    using AllocEnvFunction = short (*)(void**);
    using DataSourcesFunction = short (*)(void*, unsigned short, unsigned char*, short, short*,
                                          unsigned char*, short, short*);
    using FreeEnvFunction = short (*)(void*);

    void requireLoaded() const;

    void* library_ = nullptr;
    QString loadError_;
    AllocEnvFunction allocEnv_ = nullptr;
    DataSourcesFunction dataSources_ = nullptr;
    FreeEnvFunction freeEnv_ = nullptr;
};

} // namespace qor
