#include "app/platform/SharedLibrary.h"

#include <dlfcn.h>

namespace qor {

namespace {

QString lastLoaderError() {
    const char* error = ::dlerror();
    return error ? QString::fromLocal8Bit(error) : QStringLiteral("unknown reason");
}

} // namespace

SharedLibrary::SharedLibrary(const QByteArray& fileName) : fileName_(fileName) {
    handle_ = ::dlopen(fileName_.constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_)
        error_ = QStringLiteral("%1 could not be loaded: %2")
                     .arg(QString::fromLocal8Bit(fileName_), lastLoaderError());
}

SharedLibrary::~SharedLibrary() {
    // Only gives back this object's reference: RTLD_NODELETE keeps the library mapped.
    if (handle_)
        ::dlclose(handle_);
}

void* SharedLibrary::address(const char* name) {
    if (!handle_)
        return nullptr;
    ::dlerror();
    void* found = ::dlsym(handle_, name);
    if (!found && error_.isEmpty())
        error_ = QStringLiteral("%1 lacks %2: %3")
                     .arg(QString::fromLocal8Bit(fileName_), QString::fromLatin1(name),
                          lastLoaderError());
    return found;
}

} // namespace qor
