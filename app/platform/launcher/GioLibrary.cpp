#include "app/platform/launcher/GioLibrary.h"

#include "base/Failure.h"

#include <dlfcn.h>
#include <string>

namespace qor {

namespace {

constexpr char libraryName[] = "libgio-2.0.so.0";

template <typename Function> void bind(void* library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    if (!function)
        throw LaunchFailure(std::string("The desktop's applications cannot be read: ") + name +
                            " is missing from " + libraryName);
}

GioLibrary load() {
    // Never closed: GObject's type system cannot be unloaded once its types are registered.
    void* library = ::dlopen(libraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw LaunchFailure(std::string("The desktop's applications cannot be read: ") +
                            ::dlerror());
    GioLibrary gio;
    // GObject's functions are found through GIO, which depends on it.
#define QOR_GIO_BIND(name) bind(library, gio.name, #name);
    QOR_GIO_FUNCTIONS(QOR_GIO_BIND)
#undef QOR_GIO_BIND
    return gio;
}

} // namespace

GDesktopAppInfo* GioLibrary::asDesktopAppInfo(GAppInfo* info) const {
    if (!info || !g_type_check_instance_is_a(reinterpret_cast<GTypeInstance*>(info),
                                             g_desktop_app_info_get_type()))
        return nullptr;
    return reinterpret_cast<GDesktopAppInfo*>(info);
}

const GioLibrary& gio() {
    // A failed load throws out of the initialisation, and the next call tries again.
    static const GioLibrary loaded = load();
    return loaded;
}

} // namespace qor
