#pragma once

// GLib's headers name a member "signals", which Qt's keyword macro of that name would rewrite, so
// they come before any Qt header. They give the types only: GIO itself is loaded at run time.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace qor {

// The part of GIO (and of GObject under it) that the launcher uses to find and start the
// desktop's applications, loaded the first time it is needed.
//
// Linked into the program, GIO would come with GObject, libmount, libblkid and libselinux at every
// start, and their loading and start-up code cost about 4 ms before main() on a machine where a
// whole start takes 80 ms; most starts never look for a desktop application. GLib itself stays
// linked: Qt's event loop has loaded it anyway.
struct GioLibrary {
    decltype(&::g_object_unref) g_object_unref = nullptr;
    decltype(&::g_type_check_instance_is_a) g_type_check_instance_is_a = nullptr;
    decltype(&::g_app_info_get_all) g_app_info_get_all = nullptr;
    decltype(&::g_app_info_get_default_for_type) g_app_info_get_default_for_type = nullptr;
    decltype(&::g_app_info_get_id) g_app_info_get_id = nullptr;
    decltype(&::g_app_launch_context_new) g_app_launch_context_new = nullptr;
    decltype(&::g_desktop_app_info_get_type) g_desktop_app_info_get_type = nullptr;
    decltype(&::g_desktop_app_info_new) g_desktop_app_info_new = nullptr;
    decltype(&::g_desktop_app_info_get_is_hidden) g_desktop_app_info_get_is_hidden = nullptr;
    decltype(&::g_desktop_app_info_get_nodisplay) g_desktop_app_info_get_nodisplay = nullptr;
    decltype(&::g_desktop_app_info_get_categories) g_desktop_app_info_get_categories = nullptr;
    decltype(&::g_desktop_app_info_get_show_in) g_desktop_app_info_get_show_in = nullptr;
    decltype(&::g_desktop_app_info_launch_uris_as_manager)
        g_desktop_app_info_launch_uris_as_manager = nullptr;

    // The GDesktopAppInfo that an application info is, or null when it is another kind.
    GDesktopAppInfo* asDesktopAppInfo(GAppInfo* info) const;
};

// GIO, loaded on the first call and kept for the life of the process. Throws LaunchFailure, with
// the loader's own words, when the library or one of its functions cannot be found.
const GioLibrary& gio();

} // namespace qor
