#include "app/platform/launcher/UserPrograms.h"

#include "app/platform/launcher/KeyFile.h"
#include "app/platform/launcher/ShellWords.h"

#include <QStandardPaths>

namespace qor {

namespace {

const QString group = QStringLiteral("Programs");
const QString relativePath = QStringLiteral("qor/programs.conf");

bool isDesktopId(const QString& value) {
    return value.endsWith(QLatin1String(".desktop")) && !value.contains(u' ') &&
           !value.contains(u'/');
}

} // namespace

QStringList UserPrograms::standardFiles() {
    QStringList files;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        files << folder + u'/' + relativePath;
    return files;
}

QString UserPrograms::userFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           relativePath;
}

UserPrograms UserPrograms::read(const QStringList& files) {
    UserPrograms result;
    for (const QString& path : files) {
        const KeyFile file = KeyFile::read(path);
        for (const QString& problem : file.problems())
            result.problems_.append({QString(), problem});
        for (const QString& key : file.keys(group)) {
            QString problem;
            const std::optional<QString> value = file.value(group, key, &problem);
            UserProgram program{path, {}, {}};
            if (value && isDesktopId(value->trimmed())) {
                program.desktopId = value->trimmed();
            } else if (value) {
                if (const std::optional<QStringList> argv = shellWords(*value, problem))
                    program.argv = *argv;
            }
            if (program.desktopId.isEmpty() && program.argv.isEmpty()) {
                result.problems_.append(
                    {key.toLower(),
                     QStringLiteral("%1, [%2] %3: %4").arg(path, group, key, problem)});
                continue;
            }
            result.programs_.append({key.toLower(), program});
        }
    }
    return result;
}

QStringList UserPrograms::problems() const {
    QStringList texts;
    for (const auto& [key, problem] : problems_)
        texts << problem;
    return texts;
}

QStringList UserPrograms::problemsFor(const QString& key) const {
    QStringList texts;
    for (const auto& [about, problem] : problems_) {
        if (about.isEmpty() || about == key.toLower())
            texts << problem;
    }
    return texts;
}

std::optional<UserProgram> UserPrograms::find(const QString& key) const {
    for (const auto& [name, program] : programs_) {
        if (name == key.toLower())
            return program;
    }
    return std::nullopt;
}

} // namespace qor
