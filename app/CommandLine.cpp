#include "app/CommandLine.h"

namespace qor {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString withoutExeSuffix(const QString& name) {
    const QLatin1String suffix(".exe");
    if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
        return name.chopped(suffix.size());
    return name;
}

QStringList candidateNames(const QString& program) {
    QStringList names{program, withoutExeSuffix(program), program.toLower(),
                      withoutExeSuffix(program.toLower())};
    names.removeDuplicates();
    return names;
}

QString inDirectory(const QString& directory, const QString& name) {
    return directory.endsWith(u'/') ? directory + name : directory + u'/' + name;
}

} // namespace

SplitCommandLine splitCommandLine(const QString& commandLine) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (const QChar c : commandLine) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (isBlank(c) && !quoted) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    if (words.isEmpty())
        return {};
    return {words.first(), words.mid(1)};
}

std::optional<QString> findProgram(const QString& program, const QString& pathVariable,
                                   const std::function<bool(const QString&)>& isExecutable) {
    if (program.isEmpty())
        return std::nullopt;
    if (program.contains(u'/')) {
        if (isExecutable(program))
            return program;
        return std::nullopt;
    }
    const QStringList directories = pathVariable.split(u':', Qt::SkipEmptyParts);
    for (const QString& name : candidateNames(program)) {
        for (const QString& directory : directories) {
            const QString path = inDirectory(directory, name);
            if (isExecutable(path))
                return path;
        }
    }
    return std::nullopt;
}

} // namespace qor
