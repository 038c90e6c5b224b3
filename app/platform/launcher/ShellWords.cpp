#include "app/platform/launcher/ShellWords.h"

#include <glib.h>

namespace qor {

std::optional<QStringList> shellWords(const QString& commandLine, QString& problem) {
    gchar** argv = nullptr;
    GError* error = nullptr;
    if (!g_shell_parse_argv(commandLine.toUtf8().constData(), nullptr, &argv, &error)) {
        problem = QString::fromUtf8(error->message);
        g_error_free(error);
        return std::nullopt;
    }
    QStringList words;
    for (gchar** word = argv; *word; ++word)
        words << QString::fromUtf8(*word);
    g_strfreev(argv);
    return words;
}

} // namespace qor
