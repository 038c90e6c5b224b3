#pragma once

#include "app/DriverManager.h"
#include "app/platform/SharedLibrary.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace qor {

// The unixODBC driver manager, loaded on first use, so that the program pays for it only once the
// data source dialog opens, and opening the dialog again does not load it again. The program does
// not link against it, so a machine without it still runs QOR: every call then throws Failure
// naming why the library could not be used, and the dialog lists only "(None)".
class UnixOdbcDriverManager : public DriverManager {
public:
    explicit UnixOdbcDriverManager(const QByteArray& libraryName = "libodbc.so.2");
    UnixOdbcDriverManager(const UnixOdbcDriverManager&) = delete;
    UnixOdbcDriverManager& operator=(const UnixOdbcDriverManager&) = delete;

    bool isLoaded() const;
    // Why the library could not be used; empty once it is loaded.
    QString loadError() const;

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

    void load() const;
    void requireLoaded() const;

    QByteArray libraryName_;
    mutable bool loadTried_ = false;
    mutable std::optional<SharedLibrary> library_;
    mutable QString loadError_;
    mutable AllocEnvFunction allocEnv_ = nullptr;
    mutable DataSourcesFunction dataSources_ = nullptr;
    mutable FreeEnvFunction freeEnv_ = nullptr;
};

} // namespace qor
