#include "app/platform/launcher/PurposeTable.h"

#include "app/platform/launcher/ShellWords.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace qor {

namespace {

const QString builtInCopy = QStringLiteral(":/qor/purposes.conf");

// "GNOME:gnome-session-quit --logout": a desktop name is letters, digits, "-" and "_".
std::optional<LeaveCommand> leaveCommand(const QString& item, QString& problem) {
    static const QRegularExpression marked(QStringLiteral("^([A-Za-z0-9_-]+):(.*)$"));
    const QRegularExpressionMatch match = marked.match(item);
    const QString desktop = match.hasMatch() ? match.captured(1) : QString();
    const std::optional<QStringList> argv =
        shellWords(match.hasMatch() ? match.captured(2) : item, problem);
    if (!argv)
        return std::nullopt;
    return LeaveCommand{desktop, *argv};
}

} // namespace

PurposeTable PurposeTable::installed() {
    const QString found =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, "qor/purposes.conf");
    PurposeTable table = found.isEmpty() ? read(KeyFile::parse(builtInCopy, builtInText()))
                                         : read(KeyFile::read(found));
    for (const QString& problem : table.problems_)
        qWarning("qor: %s", qPrintable(problem));
    return table;
}

QByteArray PurposeTable::builtInText() {
    QFile builtIn(builtInCopy);
    builtIn.open(QIODevice::ReadOnly);
    return builtIn.readAll();
}

PurposeTable PurposeTable::read(const KeyFile& file) {
    PurposeTable table;
    table.problems_ = file.problems();
    for (const QString& group : file.groups()) {
        Purpose purpose;
        purpose.description = file.value(group, "Purpose").value_or(group);
        purpose.mimeTypes = file.list(group, "MimeTypes");
        for (const QString& set : file.list(group, "Categories"))
            purpose.categories << set.split(u'+', Qt::SkipEmptyParts);
        purpose.searches = file.list(group, "Search");
        purpose.opensHome = file.flag(group, "OpensHome");
        for (const QString& item : file.list(group, "AskToLeave")) {
            QString problem;
            if (const std::optional<LeaveCommand> command = leaveCommand(item, problem))
                purpose.askToLeave << *command;
            else
                table.problems_ << QStringLiteral("%1, [%2] AskToLeave \"%3\": %4")
                                       .arg(file.path(), group, item, problem);
        }
        table.purposes_.append({group.toLower(), purpose});
    }
    return table;
}

std::optional<Purpose> PurposeTable::find(const QString& key) const {
    for (const auto& [name, purpose] : purposes_) {
        if (name == key)
            return purpose;
    }
    return std::nullopt;
}

QList<LeaveCommand> inTryOrder(const QList<LeaveCommand>& commands,
                               const QStringList& currentDesktops) {
    QList<LeaveCommand> ordered;
    for (const QString& desktop : currentDesktops) {
        for (const LeaveCommand& command : commands) {
            if (command.desktop.compare(desktop, Qt::CaseInsensitive) == 0 &&
                !ordered.contains(command))
                ordered << command;
        }
    }
    for (const LeaveCommand& command : commands) {
        if (!ordered.contains(command))
            ordered << command;
    }
    return ordered;
}

} // namespace qor
