#include "app/platform/GioLibrary.h"

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
#define QOR_BIND(name) bind(library, gio.name, #name)
    QOR_BIND(g_object_unref);
    QOR_BIND(g_type_check_instance_is_a);
    QOR_BIND(g_app_info_get_all);
    QOR_BIND(g_app_info_get_default_for_type);
    QOR_BIND(g_app_info_get_id);
    QOR_BIND(g_app_launch_context_new);
    QOR_BIND(g_desktop_app_info_get_type);
    QOR_BIND(g_desktop_app_info_new);
    QOR_BIND(g_desktop_app_info_get_is_hidden);
    QOR_BIND(g_desktop_app_info_get_nodisplay);
    QOR_BIND(g_desktop_app_info_get_categories);
    QOR_BIND(g_desktop_app_info_get_show_in);
    QOR_BIND(g_desktop_app_info_launch_uris_as_manager);
#undef QOR_BIND
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
