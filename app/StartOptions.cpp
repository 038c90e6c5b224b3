#include "app/StartOptions.h"

#include "BuildValues.h"

#include <QCommandLineParser>

namespace qor {

namespace {

const QString programName = QStringLiteral("qor");

// The options that QGuiApplication and QApplication read from the command line themselves.
// They are declared here only so that the parser knows which of them take a value.
const char* const qtValueOptions[] = {"platform",      "platformpluginpath",
                                      "platformtheme", "plugin",
                                      "qmljsdebugger", "qwindowgeometry",
                                      "geometry",      "qwindowicon",
                                      "icon",          "qwindowtitle",
                                      "title",         "session",
                                      "display",       "name",
                                      "visual",        "style",
                                      "stylesheet"};
const char* const qtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                     "dograb",  "sync",        "testability"};

QString usageLine() {
    return QStringLiteral("Usage: %1 [options]\n").arg(programName);
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), so every option is read that way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A small desktop launcher: starts accessory programs and opens a page of "
                       "system tools.\nQt's own options, such as -platform and -display, are "
                       "accepted as well."));
    const QCommandLineOption help({"h", "help"}, QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({"v", "version"},
                                     QStringLiteral("Shows the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : qtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : qtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    StartOptions options;
    const auto fail = [&](const QString& message) {
        options.action = StartOptions::Action::Error;
        options.text = QStringLiteral("%1: %2\n").arg(programName, message) + usageLine() +
                       QStringLiteral("Try '%1 --help' for more information.\n").arg(programName);
        return options;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        options.action = StartOptions::Action::Help;
        // Qt names the program after argv[0], or a placeholder before the application exists.
        options.text = usageLine() + parser.helpText().section(u'\n', 1);
        return options;
    }
    if (parser.isSet(version)) {
        options.action = StartOptions::Action::Version;
        options.text =
            QStringLiteral("%1 %2\n").arg(programName, QString::fromUtf8(build::version));
        return options;
    }
    options.platform = parser.value(QStringLiteral("platform"));
    options.displayName = parser.value(QStringLiteral("display"));
    return options;
}

} // namespace qor
