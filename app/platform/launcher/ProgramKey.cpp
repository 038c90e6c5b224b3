#include "app/platform/launcher/ProgramKey.h"

#include <algorithm>

namespace qor {

namespace {

QString withoutFolders(const QString& program) {
    const qsizetype lastSeparator = std::max(program.lastIndexOf(u'\\'), program.lastIndexOf(u'/'));
    return program.mid(lastSeparator + 1);
}

QString withoutExe(const QString& name) {
    const QLatin1String suffix(".exe");
    return name.size() > suffix.size() && name.endsWith(suffix) ? name.chopped(suffix.size())
                                                                : name;
}

QString rundllKey(const QStringList& arguments) {
    if (arguments.isEmpty())
        return QStringLiteral("rundll32");
    const QString entry = arguments.first().section(u',', 1).trimmed().toLower();
    if (entry == u"control_rundll" && arguments.size() > 1)
        return arguments[1].section(u',', 0, 0).toLower();
    return entry.isEmpty() ? QStringLiteral("rundll32") : entry;
}

} // namespace

QString programKey(const SplitCommandLine& commandLine) {
    const QString name = withoutExe(withoutFolders(commandLine.program).toLower());
    if (name == u"rundll32")
        return rundllKey(commandLine.arguments);
    return name;
}

} // namespace qor
