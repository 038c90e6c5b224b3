#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace qor::test {

// A desktop of its own in a folder, for the launcher to find programs in. Its programs, on its
// PATH or named by its desktop entries, run bin/record, which writes the arguments it was given,
// one a line, to out/<name>. Its environment points the XDG folders, PATH and the current
// desktop at it and nowhere else.
class FixtureDesktop {
public:
    // Writes the recording program; the folder must outlive the desktop.
    explicit FixtureDesktop(const QString& folder);

    QString at(const QString& relative) const;
    // Writes a file below the folder; one that starts with "#!" may be run.
    void write(const QString& relative, const QString& text);
    // A desktop entry (data/applications/<id>) whose program records under the id's base name
    // what the field codes in `codes` expand to; no Categories line when `categories` is empty.
    void entry(const QString& id, const QString& categories, const QString& extra = {},
               const QString& codes = {});
    // A desktop entry (data/applications/<id>) whose program records under the id's base name,
    // with the given lines (Name, Comment, Keywords and the like) as its only others.
    void application(const QString& id, const QString& lines);
    // A program on PATH named `program` that records under `name`.
    void pathProgram(const QString& program, const QString& name);

    // Where the program recording under `name` writes, and what it wrote (empty until it has).
    QString recordFile(const QString& name) const;
    QString record(const QString& name) const;

    // The variables that make a process use this desktop alone: the XDG folders, PATH (the
    // desktop's programs, then /usr/bin and /bin), the current desktop, and no session bus, so
    // that GIO does not start one to announce each launch.
    QProcessEnvironment environment(const QString& currentDesktop) const;

    // The files that could not be written; empty when every one was.
    QString failures() const { return failures_; }

private:
    QString folder_;
    QString failures_;
};

} // namespace qor::test
