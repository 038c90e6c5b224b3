#include "app/CommandLine.h"

#include <QSet>
#include <QTest>

using namespace qor;

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void split_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("program alone") << "defrag"
                                       << "defrag" << QStringList();
        QTest::newRow("windows path") << "C:\\WINDOWS\\CALC.EXE"
                                      << "C:\\WINDOWS\\CALC.EXE" << QStringList();
        QTest::newRow("one argument") << "Rundll32.exe user,exitwindows"
                                      << "Rundll32.exe" << QStringList{"user,exitwindows"};
        QTest::newRow("control panel entry")
            << "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1"
            << "rundll32.exe" << QStringList{"shell32.dll,Control_RunDLL", "appwiz.cpl,,1"};
        QTest::newRow("runs of blanks and tabs") << "a  b\t c "
                                                 << "a" << QStringList{"b", "c"};
        QTest::newRow("leading blanks") << "   notepad.exe x"
                                        << "notepad.exe" << QStringList{"x"};
        QTest::newRow("quoted argument") << "notepad.exe a \"b c\""
                                         << "notepad.exe" << QStringList{"a", "b c"};
        QTest::newRow("quoted program") << "\"/opt/my tools/run\" -v"
                                        << "/opt/my tools/run" << QStringList{"-v"};
        QTest::newRow("quotes inside a word") << "x a\"b c\"d"
                                              << "x" << QStringList{"ab cd"};
        QTest::newRow("empty quoted argument") << "x \"\" y"
                                               << "x" << QStringList{"", "y"};
        QTest::newRow("unclosed quote runs to the end") << "x \"a b"
                                                        << "x" << QStringList{"a b"};
        QTest::newRow("empty") << ""
                               << "" << QStringList();
        QTest::newRow("only blanks") << "   "
                                     << "" << QStringList();
    }
    void split() {
        QFETCH(QString, commandLine);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const SplitCommandLine split = splitCommandLine(commandLine);
        QCOMPARE(split.program, program);
        QCOMPARE(split.arguments, arguments);
    }

    void lookup_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("executables");
        QTest::addColumn<QString>("found"); // empty: not found

        const QString path = "/usr/local/bin:/usr/bin";
        QTest::newRow("found as written")
            << "defrag" << path << QStringList{"/usr/bin/defrag"} << "/usr/bin/defrag";
        QTest::newRow("first directory wins")
            << "dialer" << path << QStringList{"/usr/bin/dialer", "/usr/local/bin/dialer"}
            << "/usr/local/bin/dialer";
        QTest::newRow("exe dropped")
            << "notepad.exe" << path << QStringList{"/usr/bin/notepad"} << "/usr/bin/notepad";
        QTest::newRow("upper-case exe dropped")
            << "NOTEPAD.EXE" << path << QStringList{"/usr/bin/NOTEPAD"} << "/usr/bin/NOTEPAD";
        QTest::newRow("lower-cased without exe")
            << "NOTEPAD.EXE" << path << QStringList{"/usr/bin/notepad"} << "/usr/bin/notepad";
        QTest::newRow("lower-cased")
            << "Rundll32.exe" << path << QStringList{"/usr/bin/rundll32"} << "/usr/bin/rundll32";
        QTest::newRow("name as written before any other form")
            << "notepad.exe" << path
            << QStringList{"/usr/local/bin/notepad", "/usr/bin/notepad.exe"}
            << "/usr/bin/notepad.exe";
        QTest::newRow("exe alone is a name")
            << ".exe" << path << QStringList{"/usr/bin/.exe"} << "/usr/bin/.exe";
        QTest::newRow("directory with a trailing slash")
            << "explorer"
            << "/opt/bin/" << QStringList{"/opt/bin/explorer"} << "/opt/bin/explorer";
        QTest::newRow("empty entries skipped")
            << "mplayer"
            << "::/usr/bin:" << QStringList{"mplayer", "/mplayer", "/usr/bin/mplayer"}
            << "/usr/bin/mplayer";
        QTest::newRow("empty entries never mean the working directory")
            << "mplayer"
            << ":/usr/bin" << QStringList{"mplayer", "./mplayer", "/mplayer"} << "";
        QTest::newRow("path used as is")
            << "/opt/tools/pbrush" << path << QStringList{"/opt/tools/pbrush", "/usr/bin/pbrush"}
            << "/opt/tools/pbrush";
        QTest::newRow("relative path used as is")
            << "tools/pbrush" << path << QStringList{"tools/pbrush", "/usr/bin/tools/pbrush"}
            << "tools/pbrush";
        QTest::newRow("path not searched on PATH")
            << "/opt/tools/pbrush" << path << QStringList{"/usr/bin/pbrush"} << "";
        QTest::newRow("path keeps its exe")
            << "/opt/tools/scandskw.exe" << path << QStringList{"/opt/tools/scandskw"} << "";
        QTest::newRow("windows path not translated")
            << "C:\\WINDOWS\\CALC.EXE" << path
            << QStringList{"/usr/bin/calc", "/usr/bin/CALC", "/usr/bin/calc.exe"} << "";
        QTest::newRow("windows path found only as a file of that name")
            << "C:\\WINDOWS\\CALC.EXE" << path << QStringList{"/usr/bin/C:\\WINDOWS\\CALC.EXE"}
            << "/usr/bin/C:\\WINDOWS\\CALC.EXE";
        QTest::newRow("missing") << "scandskw" << path << QStringList{"/usr/bin/defrag"} << "";
        QTest::newRow("empty PATH") << "defrag"
                                    << "" << QStringList{"/usr/bin/defrag"} << "";
        QTest::newRow("empty program") << "" << path << QStringList{"/usr/bin/", "/usr/bin"} << "";
    }
    void lookup() {
        QFETCH(QString, program);
        QFETCH(QString, path);
        QFETCH(QStringList, executables);
        QFETCH(QString, found);
        const QSet<QString> files(executables.cbegin(), executables.cend());
        const auto result =
            findProgram(program, path, [&](const QString& file) { return files.contains(file); });
        QCOMPARE(result.value_or(QString()), found);
        QCOMPARE(result.has_value(), !found.isEmpty());
    }
};

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
