#include "app/platform/launcher/GioLibrary.h"

#include "base/Failure.h"

namespace qor {

// GObject's functions are found through GIO, which depends on it.
GioLibrary::GioLibrary() : library_("libgio-2.0.so.0") {
#define QOR_GIO_BIND(name) library_.resolve(name, #name);
    QOR_GIO_FUNCTIONS(QOR_GIO_BIND)
#undef QOR_GIO_BIND
    if (!library_.isUsable())
        throw LaunchFailure(
            ("The desktop's applications cannot be read: " + library_.error()).toStdString());
}

GDesktopAppInfo* GioLibrary::asDesktopAppInfo(GAppInfo* info) const {
    if (!info || !g_type_check_instance_is_a(reinterpret_cast<GTypeInstance*>(info),
                                             g_desktop_app_info_get_type()))
        return nullptr;
    return reinterpret_cast<GDesktopAppInfo*>(info);
}

const GioLibrary& gio() {
    // A failed load throws out of the initialisation, and the next call tries again.
    static const GioLibrary loaded;
    return loaded;
}

} // namespace qor
