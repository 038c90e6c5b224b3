#include "windows/datasource/DialogDriverManager.h"

#include "windows/datasource/UnixOdbcDriverManager.h"

namespace qor {

namespace {

DriverManager* replacement = nullptr;

} // namespace

DriverManager& dialogDriverManager() {
    if (replacement)
        return *replacement;
    static UnixOdbcDriverManager unixOdbc;
    return unixOdbc;
}

DialogDriverManagerOverride::DialogDriverManagerOverride(DriverManager& replacementManager)
    : replaced(replacement) {
    replacement = &replacementManager;
}

DialogDriverManagerOverride::~DialogDriverManagerOverride() {
    replacement = replaced;
}

} // namespace qor
