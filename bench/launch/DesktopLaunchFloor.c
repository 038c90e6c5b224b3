/* The floor of the first launch through the desktop entries: a plain C program, GIO linked, that
 * makes the GIO calls QOR makes for a calculator and starts what they find, with nothing of QOR
 * around them. With "categories" it looks for an application of category Calculator among all
 * the installed ones; with "search" it makes that look-up, finds nothing, and then asks GIO's
 * desktop search for each of the calculator's words in turn. Either way it takes what QOR would
 * take (not hidden, displayed, loadable, shown in the current desktop) and starts it as QOR does.
 *
 *   qor_desktop_launch_floor categories|search
 *
 * The started program reports when it runs, through the named pipe in QOR_BENCH_READY. Prints the
 * microseconds from main() (where GIO is loaded already but has read nothing) to then, and then
 * the monotonic clock at then in nanoseconds, for a caller that times the whole program. */

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int64_t monotonic_ns(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

static gboolean offered(GDesktopAppInfo* info) {
    return !g_desktop_app_info_get_is_hidden(info) && !g_desktop_app_info_get_nodisplay(info) &&
           g_desktop_app_info_get_show_in(info, NULL);
}

static gboolean is_calculator(GDesktopAppInfo* info) {
    const char* categories = g_desktop_app_info_get_categories(info);
    gboolean found = FALSE;
    if (categories) {
        gchar** listed = g_strsplit(categories, ";", -1);
        found = g_strv_contains((const gchar* const*)listed, "Calculator");
        g_strfreev(listed);
    }
    return found;
}

static gchar* in_category(void) {
    gchar* best = NULL;
    GList* all = g_app_info_get_all();
    for (GList* item = all; item; item = item->next) {
        GAppInfo* info = item->data;
        const char* id = g_app_info_get_id(info);
        if (!G_IS_DESKTOP_APP_INFO(info) || !id)
            continue;
        if (!offered(G_DESKTOP_APP_INFO(info)) || !is_calculator(G_DESKTOP_APP_INFO(info)))
            continue;
        if (!best || strcmp(id, best) < 0) {
            g_free(best);
            best = g_strdup(id);
        }
    }
    g_list_free_full(all, g_object_unref);
    return best;
}

static int by_id(const void* a, const void* b) {
    return strcmp(*(char* const*)a, *(char* const*)b);
}

static gchar* searched(const char* words) {
    gchar* found = NULL;
    gchar*** groups = g_desktop_app_info_search(words);
    for (gchar*** group = groups; *group && !found; ++group) {
        qsort(*group, g_strv_length(*group), sizeof(gchar*), by_id);
        for (gchar** id = *group; *id && !found; ++id) {
            GDesktopAppInfo* info = g_desktop_app_info_new(*id);
            if (info && offered(info))
                found = g_strdup(*id);
            if (info)
                g_object_unref(info);
        }
    }
    for (gchar*** group = groups; *group; ++group)
        g_strfreev(*group);
    g_free(groups);
    return found;
}

static void reset_signals(gpointer data) {
    sigset_t none;
    (void)data;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, NULL);
    signal(SIGPIPE, SIG_DFL);
}

int main(int argc, char** argv) {
    const int64_t start = monotonic_ns();
    const char* ready = getenv("QOR_BENCH_READY");
    if (argc != 2 || !ready) {
        fprintf(stderr, "usage: QOR_BENCH_READY=FIFO %s categories|search\n", argv[0]);
        return 2;
    }
    const int pipe = open(ready, O_RDWR);
    if (pipe < 0) {
        perror("open");
        return 1;
    }

    gchar* id = in_category();
    if (!id && strcmp(argv[1], "search") == 0) {
        static const char* const words[] = {"calculator", "calculation"};
        for (size_t i = 0; i < G_N_ELEMENTS(words) && !id; ++i)
            id = searched(words[i]);
    }
    GDesktopAppInfo* entry = id ? g_desktop_app_info_new(id) : NULL;
    if (!entry) {
        fprintf(stderr, "no calculator found\n");
        return 1;
    }
    GAppLaunchContext* context = g_app_launch_context_new();
    GError* error = NULL;
    if (!g_desktop_app_info_launch_uris_as_manager(entry, NULL, context, G_SPAWN_SEARCH_PATH,
                                                   reset_signals, NULL, NULL, NULL, &error)) {
        fprintf(stderr, "%s\n", error->message);
        return 1;
    }

    int64_t running = 0;
    size_t got = 0;
    while (got < sizeof running) {
        const ssize_t n = read(pipe, (char*)&running + got, sizeof running - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fprintf(stderr, "the launched program did not report\n");
            return 1;
        }
        got += (size_t)n;
    }
    printf("%.1f %lld\n", (double)(running - start) / 1000, (long long)running);
    g_object_unref(context);
    g_object_unref(entry);
    g_free(id);
    close(pipe);
    return 0;
}
