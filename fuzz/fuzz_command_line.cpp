#include "app/CommandLine.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>

using qor::fuzz::require;

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// What the words hold between them: every character but the double quotes and the blanks
// outside quotes.
QString wordCharacters(const QString& commandLine) {
    QString kept;
    bool quoted = false;
    for (const QChar c : commandLine) {
        if (c == u'"')
            quoted = !quoted;
        else if (!isBlank(c) || quoted)
            kept += c;
    }
    return kept;
}

void checkSplit(const QString& commandLine, const qor::SplitCommandLine& split) {
    const QStringList words = split.program.isNull() && split.arguments.isEmpty()
                                  ? QStringList()
                                  : QStringList{split.program} + split.arguments;
    for (const QString& word : words)
        require(!word.contains(u'"'), "quotes never reach a word");
    require(words.join(QString()) == wordCharacters(commandLine),
            "the words keep every character but quotes and separating blanks, in order");
    if (!commandLine.contains(u'"')) {
        const QStringList parts =
            QString(commandLine).replace(u'\t', u' ').split(u' ', Qt::SkipEmptyParts);
        require(words == parts, "without quotes the words are the blank-separated parts");
    }
}

struct Probe {
    QString path;
    bool executable;
};

bool endsWithExe(const QString& name) {
    return name.size() > 4 && name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive);
}

bool isCandidateName(const QString& name, const QString& program) {
    const QString lower = program.toLower();
    return name == program || name == lower ||
           (endsWithExe(program) && name == program.chopped(4)) ||
           (endsWithExe(lower) && name == lower.chopped(4));
}

// Every probe is a directory of the path variable joined with a form of the program's name.
bool isSearchPath(const QString& path, const QString& program, const QStringList& directories) {
    for (const QString& directory : directories) {
        const QString joined = directory.endsWith(u'/') ? directory : directory + u'/';
        if (path.startsWith(joined) && isCandidateName(path.mid(joined.size()), program))
            return true;
    }
    return false;
}

void checkFind(const QString& program, const QString& pathVariable,
               const QStringList& executables) {
    QList<Probe> probes;
    const auto isExecutable = [&](const QString& path) {
        probes.append({path, executables.contains(path)});
        return probes.last().executable;
    };
    const std::optional<QString> found = qor::findProgram(program, pathVariable, isExecutable);

    for (qsizetype i = 0; i + 1 < probes.size(); ++i)
        require(!probes[i].executable, "the search stops at the first executable");
    if (found) {
        require(!probes.isEmpty() && probes.last().executable && probes.last().path == *found,
                "the program found is the first executable probed");
        require(found->contains(u'/'), "a program is never taken from the working directory");
    } else {
        require(probes.isEmpty() || !probes.last().executable, "an executable probed is found");
    }

    if (program.isEmpty()) {
        require(probes.isEmpty(), "an empty program is never looked for");
    } else if (program.contains(u'/')) {
        require(probes.size() == 1 && probes.first().path == program, "a path is used as written");
    } else {
        const QStringList directories = pathVariable.split(u':', Qt::SkipEmptyParts);
        require(probes.size() <= directories.size() * 4,
                "each directory is probed at most 4 times");
        for (const Probe& probe : probes)
            require(isSearchPath(probe.path, program, directories),
                    "every probe is a directory of the path joined with a form of the name");
    }
}

} // namespace

// The first line is the command line, the second the path variable, every further line a path
// that the fake file system calls executable.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = qor::fuzz::utf8Text(data, size).split(u'\n');
    const QString commandLine = lines.value(0);
    const qor::SplitCommandLine split = qor::splitCommandLine(commandLine);
    checkSplit(commandLine, split);
    checkFind(split.program, lines.value(1), lines.mid(2));

    const QString units = qor::fuzz::utf16Units(data, size);
    checkSplit(units, qor::splitCommandLine(units));
    return 0;
}
