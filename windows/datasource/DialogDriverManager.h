#pragma once

#include "windows/datasource/DriverManager.h"

namespace qor {

// The driver manager that the data source dialog enumerates with. Unless one is put in place,
// it is unixODBC, loaded on first use and kept until the program ends, so that loading the
// dialog again does not load the library again. A library that cannot be loaded stays a driver
// manager whose every call fails, and the dialog then lists only "(None)".
DriverManager& dialogDriverManager();

// Puts another driver manager in place of the dialog's for as long as this object lives; tests
// give the dialog a scripted one this way. The one it replaced comes back afterwards.
class DialogDriverManagerOverride {
public:
    explicit DialogDriverManagerOverride(DriverManager& replacement);
    ~DialogDriverManagerOverride();
    DialogDriverManagerOverride(const DialogDriverManagerOverride&) = delete;
    DialogDriverManagerOverride& operator=(const DialogDriverManagerOverride&) = delete;

private:
    DriverManager* replaced;
};

} // namespace qor
