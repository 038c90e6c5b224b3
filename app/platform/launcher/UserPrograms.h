#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qor {

// A program the user chose in programs.conf: a desktop entry id ("org.example.Calc.desktop") or
// a command line, split into its words.
struct UserProgram {
    QString file;
    QString desktopId;
    QStringList argv;
};

// The user's own programs for the launch buttons: the [Programs] group of programs.conf, keyed as
// programKey names a program, in any case. The user's file comes first, then the system-wide ones.
class UserPrograms {
public:
    // programs.conf in the qor folder of each XDG configuration folder, the user's first.
    static QStringList standardFiles();
    // The file the failure message tells the user to edit.
    static QString userFile();

    static UserPrograms read(const QStringList& files);

    std::optional<UserProgram> find(const QString& key) const;
    // Each malformed line or entry, named by file and line or key; the rest of the file applies.
    QStringList problems() const;
    // The problems that may matter to the key: its own entry's, and the lines left out.
    QStringList problemsFor(const QString& key) const;

private:
    QList<std::pair<QString, UserProgram>> programs_;
    QList<std::pair<QString, QString>> problems_; // the key (none for a line) and the problem
};

} // namespace qor
