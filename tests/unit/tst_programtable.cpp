#include "app/CommandLine.h"
#include "app/platform/launcher/KeyFile.h"
#include "app/platform/launcher/ProgramKey.h"
#include "app/platform/launcher/PurposeTable.h"
#include "app/platform/launcher/UserPrograms.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// The file written into the folder, or no name when it could not be written.
QString writtenFile(const QTemporaryDir& folder, const QString& name, const QByteArray& text) {
    const QString path = folder.filePath(name);
    return writeFile(path, text) ? path : QString();
}

QString describe(const Purpose& purpose) {
    QStringList parts{purpose.description};
    for (const QString& type : purpose.mimeTypes)
        parts << "mime " + type;
    for (const QStringList& set : purpose.categories)
        parts << "category " + set.join('+');
    for (const QString& words : purpose.searches)
        parts << "search " + words;
    if (purpose.opensHome)
        parts << "home";
    return parts.join(" | ");
}

} // namespace

class ProgramTableTest : public QObject {
    Q_OBJECT
private slots:
    void keys_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("key");
        QTest::newRow("drive path, upper case") << "C:\\WINDOWS\\CALC.EXE"
                                                << "calc";
        QTest::newRow("drive path, mixed case") << "C:\\WINDOWS\\winpopup.exe"
                                                << "winpopup";
        QTest::newRow(".exe") << "notepad.exe"
                              << "notepad";
        QTest::newRow("bare name") << "explorer"
                                   << "explorer";
        QTest::newRow("unix path") << "/usr/bin/Pbrush arg"
                                   << "pbrush";
        QTest::newRow("add or remove") << "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1"
                                       << "appwiz.cpl";
        QTest::newRow("hardware") << "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1"
                                  << "sysdm.cpl";
        QTest::newRow("exit windows") << "Rundll32.exe user,exitwindows"
                                      << "exitwindows";
        QTest::newRow("rundll32 alone") << "RUNDLL32"
                                        << "rundll32";
        QTest::newRow("empty") << ""
                               << "";
    }
    void keys() {
        QFETCH(QString, commandLine);
        QFETCH(QString, key);
        QCOMPARE(programKey(splitCommandLine(commandLine)), key);
    }

    // Every command line of both launch tables has its purpose in the shipped table, and the
    // copy built into the program is that same file.
    void shippedPurposes_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("purpose");
        QTest::newRow("Calculator")
            << "C:\\WINDOWS\\CALC.EXE"
            << "calculator application | category Calculator | search calculator | "
               "search calculation";
        QTest::newRow("Win Pop Up")
            << "C:\\WINDOWS\\winpopup.exe"
            << "quick messages application | category InstantMessaging | category Chat | "
               "search chat | search messenger";
        QTest::newRow("NotePad")
            << "notepad.exe"
            << "plain-text editor | mime text/plain | category TextEditor | search text editor | "
               "search notepad";
        QTest::newRow("Explore Windows")
            << "explorer"
            << "file manager | mime inode/directory | category FileManager | search file manager | "
               "search files | home";
        QTest::newRow("Control Panel")
            << "control"
            << "system settings application | category Settings+DesktopSettings | "
               "category Settings | search control panel | search control center | "
               "search system settings | search settings manager";
        QTest::newRow("Paint")
            << "pbrush"
            << "painting application | category RasterGraphics | search paint | search drawing";
        QTest::newRow("Media Player")
            << "mplayer"
            << "media player | category Player+Video | category Player | search media player | "
               "search video player";
        QTest::newRow("Call SomeOne")
            << "dialer"
            << "phone application | category Telephony | category Dialup | search phone | "
               "search telephone | search voip | search sip";
        QTest::newRow("Defragment")
            << "defrag"
            << "disk tools application | category Filesystem | search disks | search partition | "
               "search disk";
        QTest::newRow("Scandisk")
            << "scandskw"
            << "disk tools application | category Filesystem | search disks | search partition | "
               "search disk";
        QTest::newRow("Add And Remove")
            << "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1"
            << "software manager | category PackageManager | search package manager | "
               "search software";
        QTest::newRow("New Hardware")
            << "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1"
            << "hardware settings application | category HardwareSettings | search hardware | "
               "search device manager | search devices";
        QTest::newRow("Shut Down Pc and the close sequence") << "Rundll32.exe user,exitwindows"
                                                             << "log-out dialog";
    }
    void shippedPurposes() {
        QFETCH(QString, commandLine);
        QFETCH(QString, purpose);
        const PurposeTable shipped =
            PurposeTable::read(KeyFile::read(QOR_SOURCE_DIR "/data/purposes.conf"));
        QCOMPARE(shipped.problems(), QStringList());
        const QString key = programKey(splitCommandLine(commandLine));
        const std::optional<Purpose> found = shipped.find(key);
        QVERIFY2(found, qPrintable(key));
        QCOMPARE(describe(*found), purpose);

        QFile source(QOR_SOURCE_DIR "/data/purposes.conf");
        QVERIFY(source.open(QIODevice::ReadOnly));
        QCOMPARE(PurposeTable::builtInText(), source.readAll());
    }

    // Only commands that show a dialog asking the user may stand in the log-out list.
    void leavingAsksFirst() {
        const PurposeTable shipped =
            PurposeTable::read(KeyFile::read(QOR_SOURCE_DIR "/data/purposes.conf"));
        const QList<LeaveCommand> commands = shipped.find("exitwindows")->askToLeave;
        QVERIFY(commands.size() >= 5);
        for (const LeaveCommand& command : commands) {
            const QString line = command.argv.join(' ');
            for (const char* unasked : {"--no-prompt", "--force", "--fast", "--logout ", "--halt",
                                        "--reboot", "kill", "terminate"})
                QVERIFY2(!(line + ' ').contains(QLatin1String(unasked)) ||
                             line.startsWith("gnome-session-quit --logout") ||
                             line.startsWith("cinnamon-session-quit --logout"),
                         qPrintable(line));
        }
        const QStringList byDesktop = [&] {
            QStringList programs;
            for (const LeaveCommand& command : inTryOrder(commands, {"XFCE"}))
                programs << command.argv.first();
            return programs;
        }();
        QCOMPARE(byDesktop.first(), QString("xfce4-session-logout"));
        QCOMPARE(byDesktop.size(), commands.size());
    }

    void userPrograms_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("desktopId");
        QTest::addColumn<QStringList>("argv");
        QTest::newRow("desktop entry id")
            << QByteArray("[Programs]\ncalc=org.example.Calc.desktop\n") << "calc"
            << "org.example.Calc.desktop" << QStringList();
        QTest::newRow("key in any case")
            << QByteArray("[Programs]\nNotePad=gedit --new-window\n") << "notepad" << QString()
            << QStringList{"gedit", "--new-window"};
        QTest::newRow("quoted words")
            << QByteArray("[Programs]\nexplorer='/opt/my files/fm' -x\n") << "explorer" << QString()
            << QStringList{"/opt/my files/fm", "-x"};
        QTest::newRow("rundll32 entry point")
            << QByteArray("[Programs]\nappwiz.cpl=synaptic-pkexec\n") << "appwiz.cpl" << QString()
            << QStringList{"synaptic-pkexec"};
        QTest::newRow("other groups ignored")
            << QByteArray("[Other]\ncalc=x\n[Programs]\n") << "calc" << QString() << QStringList();
    }
    void userPrograms() {
        QFETCH(QByteArray, text);
        QFETCH(QString, key);
        QFETCH(QString, desktopId);
        QFETCH(QStringList, argv);
        QTemporaryDir folder;
        const UserPrograms programs =
            UserPrograms::read({writtenFile(folder, "programs.conf", text)});
        QCOMPARE(programs.problems(), QStringList());
        const std::optional<UserProgram> found = programs.find(key);
        QCOMPARE(bool(found), !desktopId.isEmpty() || !argv.isEmpty());
        if (found) {
            QCOMPARE(found->desktopId, desktopId);
            QCOMPARE(found->argv, argv);
        }
    }

    void theUsersFileComesBeforeTheSystemOne() {
        QTemporaryDir folder;
        const UserPrograms programs = UserPrograms::read(
            {folder.filePath("missing.conf"),
             writtenFile(folder, "user.conf", "[Programs]\ncalc=user-calc\n"),
             writtenFile(folder, "system.conf", "[Programs]\ncalc=system-calc\npbrush=paint\n")});
        QCOMPARE(programs.problems(), QStringList());
        QCOMPARE(programs.find("calc")->argv, QStringList{"user-calc"});
        QCOMPARE(programs.find("PBRUSH")->argv, QStringList{"paint"});
    }

    // Each fault is named by file and line (or entry), and every sound entry still applies.
    void malformedFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("problemStarts");
        QTest::newRow("line that is no entry")
            << QByteArray("[Programs]\ncalc kcalc\nnotepad=gedit\n")
            << QStringList{"programs.conf, line 2: "};
        QTest::newRow("entries before any group")
            << QByteArray("calc=kcalc\n[Programs]\nnotepad=gedit\n")
            << QStringList{"programs.conf, line 1: "};
        QTest::newRow("unclosed group")
            << QByteArray("[Programs\ncalc=kcalc\n[Programs]\nnotepad=gedit\n")
            << QStringList{"programs.conf, line 1: ", "programs.conf, line 2: "};
        QTest::newRow("unclosed quote") << QByteArray("[Programs]\ncalc='kcalc\nnotepad=gedit\n")
                                        << QStringList{"programs.conf, [Programs] calc: "};
        QTest::newRow("empty value") << QByteArray("[Programs]\ncalc=\nnotepad=gedit\n")
                                     << QStringList{"programs.conf, [Programs] calc: "};
        QTest::newRow("not text") << QByteArray("[Programs]\n\xff\xfe=\x80\nnotepad=gedit\n")
                                  << QStringList{"programs.conf, line 2: "};
    }
    void malformedFiles() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, problemStarts);
        QTemporaryDir folder;
        const QString path = writtenFile(folder, "programs.conf", text);
        const UserPrograms programs = UserPrograms::read({path});
        QCOMPARE(programs.problems().size(), problemStarts.size());
        for (qsizetype i = 0; i < problemStarts.size(); ++i) {
            const QString problem = programs.problems()[i];
            QVERIFY2(problem.startsWith(folder.path() + '/' + problemStarts[i]),
                     qPrintable(problem));
            QVERIFY2(problem.size() > path.size() + 20, qPrintable(problem)); // says why
        }
        QCOMPARE(programs.find("notepad")->argv, QStringList{"gedit"});
        QVERIFY(!programs.find("calc"));
    }
};

QTEST_GUILESS_MAIN(ProgramTableTest)
#include "tst_programtable.moc"
