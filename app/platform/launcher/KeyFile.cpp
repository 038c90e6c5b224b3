#include "app/platform/launcher/KeyFile.h"

#include <QFile>
#include <glib.h>

namespace qor {

namespace {

struct ErrorText {
    GError* error = nullptr;
    ~ErrorText() { g_clear_error(&error); }
    QString text() const { return error ? QString::fromUtf8(error->message) : QString(); }
};

bool loads(GKeyFile* file, const QByteArray& text, ErrorText& failure) {
    g_clear_error(&failure.error);
    return g_key_file_load_from_data(file, text.constData(), gsize(text.size()), G_KEY_FILE_NONE,
                                     &failure.error);
}

QString owned(gchar* text) {
    QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

} // namespace

void KeyFile::Free::operator()(GKeyFile* file) const {
    g_key_file_free(file);
}

KeyFile KeyFile::read(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return parse(path, {});
    if (!file.open(QIODevice::ReadOnly)) {
        KeyFile empty = parse(path, {});
        empty.problems_ << QStringLiteral("%1: %2").arg(path, file.errorString());
        return empty;
    }
    return parse(path, file.readAll());
}

// The parser stops at the first line it refuses, so the refused lines are found one by one: each
// line is tried on its own, after a group header once the file has one (a line's meaning depends
// on nothing else), and the file is read again without them.
KeyFile KeyFile::parse(const QString& path, const QByteArray& text) {
    KeyFile result(path, g_key_file_new());
    ErrorText failure;
    if (QUtf8StringView(text).isValidUtf8() && loads(result.file_.get(), text, failure))
        return result;

    const QList<QByteArray> lines = text.split('\n');
    QByteArray kept;
    bool inGroup = false;
    for (qsizetype number = 0; number < lines.size(); ++number) {
        const QByteArray& line = lines[number];
        // The parser takes names in any encoding; QOR reads them as UTF-8.
        GKeyFile* probe = g_key_file_new();
        const bool text = QUtf8StringView(line).isValidUtf8();
        const bool valid = text && loads(probe, (inGroup ? "[g]\n" : "") + line, failure);
        g_key_file_free(probe);
        if (!text) {
            result.problems_
                << QStringLiteral("%1, line %2: not UTF-8 text").arg(path).arg(number + 1);
        } else if (valid) {
            kept += line;
            inGroup = inGroup || line.trimmed().startsWith('[');
        } else {
            result.problems_
                << QStringLiteral("%1, line %2: %3").arg(path).arg(number + 1).arg(failure.text());
        }
        kept += '\n';
    }
    loads(result.file_.get(), kept, failure);
    return result;
}

QStringList KeyFile::groups() const {
    gchar** names = g_key_file_get_groups(file_.get(), nullptr);
    QStringList result;
    for (gchar** name = names; *name; ++name)
        result << QString::fromUtf8(*name);
    g_strfreev(names);
    return result;
}

QStringList KeyFile::keys(const QString& group) const {
    gchar** names = g_key_file_get_keys(file_.get(), group.toUtf8().constData(), nullptr, nullptr);
    QStringList result;
    for (gchar** name = names; name && *name; ++name)
        result << QString::fromUtf8(*name);
    g_strfreev(names);
    return result;
}

std::optional<QString> KeyFile::value(const QString& group, const QString& key,
                                      QString* problem) const {
    ErrorText failure;
    gchar* text = g_key_file_get_string(file_.get(), group.toUtf8().constData(),
                                        key.toUtf8().constData(), &failure.error);
    if (!text) {
        if (problem)
            *problem = failure.text();
        return std::nullopt;
    }
    return owned(text);
}

QStringList KeyFile::list(const QString& group, const QString& key) const {
    gchar** items = g_key_file_get_string_list(file_.get(), group.toUtf8().constData(),
                                               key.toUtf8().constData(), nullptr, nullptr);
    QStringList result;
    for (gchar** item = items; item && *item; ++item)
        result << QString::fromUtf8(*item);
    g_strfreev(items);
    return result;
}

bool KeyFile::flag(const QString& group, const QString& key) const {
    return g_key_file_get_boolean(file_.get(), group.toUtf8().constData(), key.toUtf8().constData(),
                                  nullptr);
}

} // namespace qor
