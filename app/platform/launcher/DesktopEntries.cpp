// GLib's headers (through GioLibrary.h) come before any Qt header.
#include "app/platform/launcher/GioLibrary.h"

#include "app/platform/launcher/DesktopEntries.h"

#include "app/Services.h"
#include "app/platform/launcher/ChildReaper.h"
#include "app/platform/launcher/StartupFeedback.h"

#include <csignal>
#include <memory>

namespace qor::desktopEntries {

namespace {

struct Unref {
    void operator()(gpointer object) const { gio().g_object_unref(object); }
};
using Entry = std::unique_ptr<GDesktopAppInfo, Unref>;

bool offered(GDesktopAppInfo* info) {
    return !gio().g_desktop_app_info_get_is_hidden(info) &&
           !gio().g_desktop_app_info_get_nodisplay(info);
}

// GIO refuses to load an entry whose TryExec program is missing, so such an id finds nothing.
Entry load(const QString& id) {
    return Entry(gio().g_desktop_app_info_new(id.toUtf8().constData()));
}

bool inAll(GDesktopAppInfo* info, const QStringList& wanted) {
    const QStringList listed = QString::fromUtf8(gio().g_desktop_app_info_get_categories(info))
                                   .split(u';', Qt::SkipEmptyParts);
    for (const QString& category : wanted) {
        if (!listed.contains(category))
            return false;
    }
    return true;
}

// The answer of GIO's desktop search: groups of ids, best first, each ending with a null, and a
// null after the last group.
struct SearchResult {
    gchar*** groups;
    ~SearchResult() {
        for (gchar*** group = groups; group && *group; ++group)
            g_strfreev(*group);
        g_free(groups);
    }
};

// What the feedback for starting the entry says about it.
StartingProgram startingProgram(GDesktopAppInfo* info) {
    const GioLibrary& g = gio();
    auto* app = reinterpret_cast<GAppInfo*>(info);
    StartingProgram program{QString::fromUtf8(g.g_app_info_get_name(app)),
                            QString::fromUtf8(g.g_app_info_get_executable(app)),
                            {},
                            QString::fromUtf8(g.g_desktop_app_info_get_startup_wm_class(info))};
    if (char* icon = g.g_desktop_app_info_get_string(info, "Icon")) {
        program.icon = QString::fromUtf8(icon);
        g_free(icon);
    }
    return program;
}

// Runs in the started program before it execs: it begins with no signal blocked and with
// default handling of SIGPIPE, whatever QOR itself blocks or ignores.
void resetSignals(gpointer) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
}

// Called with each program GIO starts (one per file for a program that takes only one).
void collectWhenDone(GDesktopAppInfo*, GPid pid, gpointer) {
    reapWhenDone(pid);
}

} // namespace

bool exists(const QString& id) {
    const Entry entry = load(id);
    return entry && !gio().g_desktop_app_info_get_is_hidden(entry.get());
}

std::optional<QString> defaultFor(const QString& mimeType) {
    const GioLibrary& g = gio();
    GAppInfo* info = g.g_app_info_get_default_for_type(mimeType.toUtf8().constData(), FALSE);
    if (!info)
        return std::nullopt;
    std::optional<QString> id;
    GDesktopAppInfo* entry = g.asDesktopAppInfo(info);
    if (entry && offered(entry) && g.g_app_info_get_id(info))
        id = QString::fromUtf8(g.g_app_info_get_id(info));
    g.g_object_unref(info);
    return id;
}

std::optional<QString> inCategories(const QStringList& categories) {
    std::optional<QString> shown;
    std::optional<QString> notShown;
    const GioLibrary& g = gio();
    GList* all = g.g_app_info_get_all();
    for (GList* item = all; item; item = item->next) {
        auto* info = static_cast<GAppInfo*>(item->data);
        GDesktopAppInfo* entry = g.asDesktopAppInfo(info);
        if (!entry || !g.g_app_info_get_id(info))
            continue;
        if (!offered(entry) || !inAll(entry, categories))
            continue;
        const QString id = QString::fromUtf8(g.g_app_info_get_id(info));
        std::optional<QString>& best =
            g.g_desktop_app_info_get_show_in(entry, nullptr) ? shown : notShown;
        if (!best || id < *best)
            best = id;
    }
    g_list_free_full(all, g.g_object_unref);
    return shown ? shown : notShown;
}

std::optional<QString> searched(const QString& words) {
    const GioLibrary& g = gio();
    // GIO does not check what it finds: an id may name an entry that is hidden or not to be
    // displayed, or that it refuses to load for its missing TryExec program.
    const SearchResult result{g.g_desktop_app_info_search(words.toUtf8().constData())};
    std::optional<QString> notShown;
    for (gchar*** group = result.groups; group && *group; ++group) {
        // GIO leaves the order within a group to chance; the alphabetical order keeps the choice
        // the same from one press to the next.
        QStringList ids;
        for (gchar** id = *group; *id; ++id)
            ids << QString::fromUtf8(*id);
        ids.sort();
        for (const QString& id : ids) {
            const Entry entry = load(id);
            if (!entry || !offered(entry.get()))
                continue;
            if (g.g_desktop_app_info_get_show_in(entry.get(), nullptr))
                return id;
            if (!notShown)
                notShown = id;
        }
    }
    return notShown;
}

void launch(const QString& id, const QStringList& uris, StartupFeedback& feedback,
            std::uint32_t userTime) {
    const GioLibrary& g = gio();
    const Entry entry = load(id);
    if (!entry)
        throw LaunchFailure(("Cannot start: " + id).toStdString());
    GList* uriList = nullptr;
    for (const QString& uri : uris)
        uriList = g_list_append(uriList, g_strdup(uri.toUtf8().constData()));
    GAppLaunchContext* context = g.g_app_launch_context_new();
    // GIO passes QOR's environment on, and sets DESKTOP_STARTUP_ID only from an id that the
    // context gives, which a plain context never does. Qt's X11 platform takes the id QOR was
    // started with out of the environment; another platform need not, and a program may get
    // only the id of its own launch.
    g.g_app_launch_context_unsetenv(context, "DESKTOP_STARTUP_ID");
    QByteArray startupId;
    if (g.g_desktop_app_info_get_boolean(entry.get(), "StartupNotify"))
        startupId = feedback.begin(startingProgram(entry.get()), userTime);
    if (!startupId.isEmpty())
        g.g_app_launch_context_setenv(context, "DESKTOP_STARTUP_ID", startupId.constData());
    GError* error = nullptr;
    // The program is QOR's own child, collected when it ends. Left to GLib, it would be started
    // through an intermediate process that GLib collects itself: a second copy of QOR's whole
    // address space to make and tear down before the program runs.
    const bool started = g.g_desktop_app_info_launch_uris_as_manager(
        entry.get(), uriList, context, GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
        resetSignals, nullptr, collectWhenDone, nullptr, &error);
    g.g_object_unref(context);
    g_list_free_full(uriList, g_free);
    if (!started) {
        feedback.failed(startupId);
        const QString reason = QString::fromUtf8(error->message);
        g_error_free(error);
        throw LaunchFailure(QStringLiteral("Cannot start: %1\n%2").arg(id, reason).toStdString());
    }
    feedback.started(startupId);
}

} // namespace qor::desktopEntries
