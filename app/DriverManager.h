#pragma once

#include <cstdint>

namespace qor {

// The environment handle of the driver manager: a pointer on 64-bit systems, so it is kept at
// pointer width rather than in a 32-bit integer.
using EnvironmentHandle = void*;

// Return codes and the fetch direction of the three driver manager calls used here.
namespace odbc {
inline constexpr std::int16_t Success = 0;
inline constexpr std::int16_t SuccessWithInfo = 1;
inline constexpr std::int16_t Error = -1;
inline constexpr std::int16_t NoData = 100;
inline constexpr std::uint16_t FetchNext = 1;
} // namespace odbc

// The ODBC driver manager, reduced to what the data source dialog calls. Names and descriptions
// are narrow text, bytes that the dialog decodes as UTF-8 whatever the locale; lengths count
// bytes. Every call throws Failure when it cannot be made at all, for instance when the driver
// manager is not loaded.
class DriverManager {
public:
    virtual ~DriverManager() = default;
    virtual std::int16_t SQLAllocEnv(EnvironmentHandle* environment) = 0;
    virtual std::int16_t SQLDataSources(EnvironmentHandle environment, std::uint16_t direction,
                                        char* name, std::int16_t nameMax, std::int16_t* nameLength,
                                        char* description, std::int16_t descriptionMax,
                                        std::int16_t* descriptionLength) = 0;
    virtual std::int16_t SQLFreeEnv(EnvironmentHandle environment) = 0;
};

} // namespace qor
