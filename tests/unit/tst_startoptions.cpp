#include "app/StartOptions.h"

#include <QTest>

using namespace qor;
using Action = StartOptions::Action;

Q_DECLARE_METATYPE(qor::StartOptions::Action)

class StartOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("textContains");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("displayName");

        QTest::newRow("no arguments") << QStringList{} << Action::Run << ""
                                      << ""
                                      << "";
        QTest::newRow("-h") << QStringList{"-h"} << Action::Help << "Usage: qor [options]\n"
                            << ""
                            << "";
        QTest::newRow("--help lists --version")
            << QStringList{"--help"} << Action::Help << "-v, --version"
            << ""
            << "";
        QTest::newRow("-v") << QStringList{"-v"} << Action::Version << "qor 1.5.0.0\n"
                            << ""
                            << "";
        QTest::newRow("--version") << QStringList{"--version"} << Action::Version << "qor 1.5.0.0\n"
                                   << ""
                                   << "";
        QTest::newRow("help wins over a Qt option")
            << QStringList{"-platform", "xcb", "--help"} << Action::Help << "Usage:"
            << ""
            << "";
        QTest::newRow("unknown long option")
            << QStringList{"--frobnicate"} << Action::Error
            << "qor: Unknown option 'frobnicate'.\nUsage: qor [options]\n"
            << ""
            << "";
        QTest::newRow("unknown single-dash option")
            << QStringList{"-x"} << Action::Error << "Unknown option 'x'."
            << ""
            << "";
        QTest::newRow("an argument QOR does not take")
            << QStringList{"notes.txt"} << Action::Error
            << "unexpected argument 'notes.txt'.\nUsage: qor [options]\n"
            << ""
            << "";
        QTest::newRow("Qt option without its value")
            << QStringList{"-platform"} << Action::Error << "Usage: qor [options]"
            << ""
            << "";
        QTest::newRow("-platform") << QStringList{"-platform", "wayland"} << Action::Run << ""
                                   << "wayland"
                                   << "";
        QTest::newRow("-platform with options of its plugin")
            << QStringList{"-platform", "offscreen:configfile=/tmp/s.json"} << Action::Run << ""
            << "offscreen:configfile=/tmp/s.json"
            << "";
        QTest::newRow("-display") << QStringList{"-display", ":3"} << Action::Run << ""
                                  << ""
                                  << ":3";
        QTest::newRow("other Qt options")
            << QStringList{"-style", "fusion", "-reverse", "-session", "abc", "-name", "q"}
            << Action::Run << ""
            << ""
            << "";
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, textContains);
        QFETCH(QString, platform);
        QFETCH(QString, displayName);
        const StartOptions options = parseStartOptions(QStringList{"/usr/bin/qor"} + arguments);
        QCOMPARE(options.action, action);
        QVERIFY2(options.text.contains(textContains), qPrintable(options.text));
        QCOMPARE(options.platform, platform);
        QCOMPARE(options.displayName, displayName);
    }

    void helpHidesQtsOptions() {
        const QString help = parseStartOptions({"qor", "--help"}).text;
        QVERIFY(!help.contains("--platform"));
        QVERIFY(!help.contains("<executable_name>"));
    }
};

QTEST_GUILESS_MAIN(StartOptionsTest)
#include "tst_startoptions.moc"
