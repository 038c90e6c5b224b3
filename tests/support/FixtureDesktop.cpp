#include "support/FixtureDesktop.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qor::test {

FixtureDesktop::FixtureDesktop(const QString& folder) : folder_(folder) {
    // The record is written aside and then renamed, so that nobody reads a half-written list.
    write("bin/record", QStringLiteral("#!/bin/sh\nname=$1; shift\n"
                                       "for a in \"$@\"; do printf '%s\\n' \"$a\"; done"
                                       " > \"%1/$name.tmp\"\n"
                                       "mv \"%1/$name.tmp\" \"%1/$name\"\n")
                            .arg(at("out")));
    if (!QDir().mkpath(at("out")))
        failures_ += at("out") + '\n';
}

QString FixtureDesktop::at(const QString& relative) const {
    return folder_ + '/' + relative;
}

void FixtureDesktop::write(const QString& relative, const QString& text) {
    const QString path = at(relative);
    const bool written =
        text.startsWith("#!") ? writeExecutable(path, text) : writeFile(path, text.toUtf8());
    if (!written)
        failures_ += path + '\n';
}

void FixtureDesktop::entry(const QString& id, const QString& categories, const QString& extra,
                           const QString& codes) {
    const QString name = QFileInfo(id).baseName();
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Fixture %1\n"
                                  "Exec=%2 %1 %3\n")
                       .arg(name, at("bin/record"), codes);
    if (!categories.isEmpty())
        text += "Categories=" + categories + '\n';
    write("data/applications/" + id, text + extra);
}

void FixtureDesktop::application(const QString& id, const QString& lines) {
    write("data/applications/" + id,
          QStringLiteral("[Desktop Entry]\nType=Application\nExec=%1 %2\n%3")
              .arg(at("bin/record"), QFileInfo(id).baseName(), lines));
}

void FixtureDesktop::pathProgram(const QString& program, const QString& name) {
    write("bin/" + program,
          QStringLiteral("#!/bin/sh\nexec '%1' %2 \"$@\"\n").arg(at("bin/record"), name));
}

QString FixtureDesktop::recordFile(const QString& name) const {
    return at("out/" + name);
}

QString FixtureDesktop::record(const QString& name) const {
    QFile file(recordFile(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QProcessEnvironment FixtureDesktop::environment(const QString& currentDesktop) const {
    QProcessEnvironment environment;
    environment.insert("XDG_DATA_HOME", at("data"));
    environment.insert("XDG_DATA_DIRS", at("system-data"));
    environment.insert("XDG_CONFIG_HOME", at("config"));
    environment.insert("XDG_CONFIG_DIRS", at("system-config"));
    environment.insert("XDG_CURRENT_DESKTOP", currentDesktop);
    environment.insert("PATH", at("bin") + ":/usr/bin:/bin");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    return environment;
}

} // namespace qor::test
