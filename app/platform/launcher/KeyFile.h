#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

using GKeyFile = struct _GKeyFile;

namespace qor {

// A configuration file in the freedesktop key-file format, read with GLib's key-file parser.
// A line that the parser refuses is reported with its number and left out, so that one slip in a
// hand-edited file does not lose the entries around it.
class KeyFile {
public:
    // Reads the file; a missing file reads as empty and is no problem.
    static KeyFile read(const QString& path);
    // Reads text as if it were the named file (for files built in).
    static KeyFile parse(const QString& path, const QByteArray& text);

    QStringList groups() const;
    QStringList keys(const QString& group) const;
    // The value as text; a value that cannot be read (a bad escape) is none, with the reason in
    // problem.
    std::optional<QString> value(const QString& group, const QString& key,
                                 QString* problem = nullptr) const;
    // A list value, whose items end with ";".
    QStringList list(const QString& group, const QString& key) const;
    bool flag(const QString& group, const QString& key) const;

    const QString& path() const { return path_; }
    // "<file>, line <n>: <what is wrong>" for each line left out, and for a file that could
    // not be read.
    const QStringList& problems() const { return problems_; }

private:
    struct Free {
        void operator()(GKeyFile* file) const;
    };
    KeyFile(QString path, GKeyFile* file) : path_(std::move(path)), file_(file) {}

    QString path_;
    std::unique_ptr<GKeyFile, Free> file_;
    QStringList problems_;
};

} // namespace qor
