#pragma once

// GLib's headers name a member "signals", which Qt's keyword macro of that name would rewrite, so
// they come before any Qt header. They give the types only: GIO itself is loaded at run time.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "app/platform/SharedLibrary.h"

namespace qor {

// Every function used, named once: the list makes both the members and the loading of each, so no
// member can be left unloaded.
#define QOR_GIO_FUNCTIONS(FUNCTION)                                                                \
    FUNCTION(g_object_unref)                                                                       \
    FUNCTION(g_type_check_instance_is_a)                                                           \
    FUNCTION(g_app_info_get_all)                                                                   \
    FUNCTION(g_app_info_get_default_for_type)                                                      \
    FUNCTION(g_app_info_get_id)                                                                    \
    FUNCTION(g_app_info_get_name)                                                                  \
    FUNCTION(g_app_info_get_executable)                                                            \
    FUNCTION(g_app_launch_context_new)                                                             \
    FUNCTION(g_app_launch_context_setenv)                                                          \
    FUNCTION(g_app_launch_context_unsetenv)                                                        \
    FUNCTION(g_desktop_app_info_get_type)                                                          \
    FUNCTION(g_desktop_app_info_new)                                                               \
    FUNCTION(g_desktop_app_info_get_is_hidden)                                                     \
    FUNCTION(g_desktop_app_info_get_nodisplay)                                                     \
    FUNCTION(g_desktop_app_info_get_categories)                                                    \
    FUNCTION(g_desktop_app_info_get_show_in)                                                       \
    FUNCTION(g_desktop_app_info_search)                                                            \
    FUNCTION(g_desktop_app_info_get_boolean)                                                       \
    FUNCTION(g_desktop_app_info_get_string)                                                        \
    FUNCTION(g_desktop_app_info_get_startup_wm_class)                                              \
    FUNCTION(g_desktop_app_info_launch_uris_as_manager)

// The part of GIO (and of GObject under it) that the launcher uses to find and start the
// desktop's applications, loaded the first time it is needed.
//
// Linked into the program, GIO would come with GObject, libmount, libblkid and libselinux at every
// start, and their loading and start-up code cost about 4 ms before main() on a machine where a
// whole start takes 80 ms; most starts never look for a desktop application. GLib itself stays
// linked: Qt's event loop has loaded it anyway.
class GioLibrary {
public:
    // Loads GIO and every function in the list. Throws LaunchFailure, with the loader's own words,
    // when the library or one of its functions cannot be found.
    GioLibrary();

#define QOR_GIO_MEMBER(name) decltype(&::name) name = nullptr;
    QOR_GIO_FUNCTIONS(QOR_GIO_MEMBER)
#undef QOR_GIO_MEMBER

    // The GDesktopAppInfo that an application info is, or null when it is another kind.
    GDesktopAppInfo* asDesktopAppInfo(GAppInfo* info) const;

private:
    SharedLibrary library_;
};

// GIO, loaded on the first call and kept for the life of the process. Throws as the constructor
// does, and the next call tries again.
const GioLibrary& gio();

} // namespace qor
