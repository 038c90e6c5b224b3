#include "app/platform/launcher/ProgramResolver.h"

#include "app/CommandLine.h"
#include "app/Services.h"
#include "app/platform/launcher/DesktopEntries.h"
#include "app/platform/launcher/ProgramKey.h"
#include "app/platform/launcher/UserPrograms.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qor {

namespace {

std::optional<QString> onPath(const QString& program) {
    return findProgram(program, qEnvironmentVariable("PATH"), [](const QString& path) {
        const QFileInfo file(path);
        return file.isFile() && file.isExecutable();
    });
}

QStringList urisFor(const std::optional<Purpose>& purpose) {
    if (purpose && purpose->opensHome)
        return {QUrl::fromLocalFile(QDir::homePath()).toString()};
    return {};
}

QStringList currentDesktops() {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
}

std::optional<ResolvedProgram> fromDesktop(const Purpose& purpose) {
    for (const QString& type : purpose.mimeTypes) {
        if (const std::optional<QString> id = desktopEntries::defaultFor(type))
            return ResolvedProgram{{}, {}, *id, urisFor(purpose)};
    }
    for (const QStringList& categories : purpose.categories) {
        if (const std::optional<QString> id = desktopEntries::inCategories(categories))
            return ResolvedProgram{{}, {}, *id, urisFor(purpose)};
    }
    for (const QString& words : purpose.searches) {
        if (const std::optional<QString> id = desktopEntries::searched(words))
            return ResolvedProgram{{}, {}, *id, urisFor(purpose)};
    }
    for (const LeaveCommand& command : inTryOrder(purpose.askToLeave, currentDesktops())) {
        if (const std::optional<QString> path = onPath(command.argv.first()))
            return ResolvedProgram{*path, command.argv.mid(1), {}, {}};
    }
    return std::nullopt;
}

QString whatWasLookedFor(const Purpose& purpose) {
    QStringList places{QStringLiteral("on PATH")};
    for (const QString& type : purpose.mimeTypes)
        places << QStringLiteral("for the default application for %1").arg(type);
    for (const QStringList& categories : purpose.categories)
        places << QStringLiteral("for an application of %1 %2")
                      .arg(categories.size() > 1 ? "categories" : "category",
                           categories.join(QStringLiteral(" and ")));
    if (!purpose.searches.isEmpty()) {
        QStringList quoted;
        for (const QString& words : purpose.searches)
            quoted << u'"' + words + u'"';
        const QString last = quoted.takeLast();
        places << QStringLiteral("for an application matching a search for %1")
                      .arg(quoted.isEmpty() ? last : quoted.join(", ") + " or " + last);
    }
    if (!purpose.askToLeave.isEmpty()) {
        QStringList programs;
        for (const LeaveCommand& command : purpose.askToLeave)
            programs << command.argv.first();
        programs.removeDuplicates();
        places << QStringLiteral("for the log-out dialog commands %1").arg(programs.join(", "));
    }
    return places.join(QStringLiteral(", "));
}

QString notFound(const SplitCommandLine& split, const QString& key,
                 const std::optional<Purpose>& purpose, const QString& userConfigFile,
                 const QStringList& problems) {
    QStringList lines{"File not found: " + split.program};
    if (key.isEmpty())
        return lines.join(u'\n');
    if (purpose)
        lines << QStringLiteral("No %1 is installed: QOR looked %2.")
                     .arg(purpose->description, whatWasLookedFor(*purpose));
    else
        lines << QStringLiteral("It is not on PATH, and QOR knows no desktop application for it.");
    lines << QStringLiteral(
                 "To choose a program, set %1 in the [Programs] group of %2 to a desktop "
                 "entry id or a command line.")
                 .arg(key, userConfigFile);
    lines << problems;
    return lines.join(u'\n');
}

} // namespace

ProgramResolver::ProgramResolver(PurposeTable purposes, QStringList configFiles,
                                 QString userConfigFile)
    : purposes_(std::move(purposes)), configFiles_(std::move(configFiles)),
      userConfigFile_(std::move(userConfigFile)) {}

ResolvedProgram ProgramResolver::resolve(const QString& commandLine) const {
    const SplitCommandLine split = splitCommandLine(commandLine);
    const QString key = programKey(split);
    const std::optional<Purpose> purpose = purposes_.find(key);
    const UserPrograms users = UserPrograms::read(configFiles_);
    // The user learns of a slip in programs.conf even when the launch goes ahead without it.
    for (const QString& problem : users.problems())
        qWarning("qor: %s", qPrintable(problem));
    QStringList problems = users.problemsFor(key);

    if (const std::optional<UserProgram> chosen = key.isEmpty() ? std::nullopt : users.find(key)) {
        if (!chosen->desktopId.isEmpty()) {
            if (desktopEntries::exists(chosen->desktopId))
                return {{}, {}, chosen->desktopId, urisFor(purpose)};
            problems << QStringLiteral("%1, [Programs] %2: no installed application has the "
                                       "desktop entry id %3")
                            .arg(chosen->file, key, chosen->desktopId);
        } else if (const std::optional<QString> path = onPath(chosen->argv.first())) {
            return {*path, chosen->argv.mid(1), {}, {}};
        } else {
            problems << QStringLiteral("%1, [Programs] %2: %3 is not on PATH")
                            .arg(chosen->file, key, chosen->argv.first());
        }
    }
    if (const std::optional<QString> path = onPath(split.program))
        return {*path, split.arguments, {}, {}};
    if (purpose) {
        if (const std::optional<ResolvedProgram> program = fromDesktop(*purpose))
            return *program;
    }
    throw LaunchFailure(notFound(split, key, purpose, userConfigFile_, problems).toStdString());
}

} // namespace qor
