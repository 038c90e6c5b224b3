#include "app/Services.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

using namespace qor;

namespace {

// One fixture desktop for the whole run: GLib reads the XDG folders once per process, so they are
// set, and every entry written, before anything asks GIO.
QTemporaryDir* root = nullptr;

QString at(const QString& relative) {
    return root->filePath(relative);
}

void write(const QString& relative, const QString& text, bool executable = false) {
    QDir().mkpath(QFileInfo(at(relative)).path());
    QFile file(at(relative));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(text.toUtf8());
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A desktop entry whose program records under its name the arguments it was given.
void entry(const QString& id, const QString& categories, const QString& extra = {},
           const QString& codes = {}) {
    write("data/applications/" + id,
          QStringLiteral("[Desktop Entry]\nType=Application\nName=Fixture %1\n"
                         "Exec=%2 %1 %3\nCategories=%4\n%5")
              .arg(QFileInfo(id).baseName(), at("bin/record"), codes, categories, extra));
}

void makeFixtureDesktop() {
    write("bin/record",
          QStringLiteral("#!/bin/sh\nname=$1; shift\n"
                         "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"%1/$name.tmp\"\n"
                         "mv \"%1/$name.tmp\" \"%1/$name\"\n")
              .arg(at("out")),
          true);
    QDir().mkpath(at("out"));
    write("bin/sleeper",
          QStringLiteral("#!/bin/sh\nexec >/dev/null 2>&1\necho $$ $PPID > '%1/sleeper.tmp'\n"
                         "mv '%1/sleeper.tmp' '%1/sleeper'\nsleep 3\n")
              .arg(at("out")),
          true);
    // On PATH, under the names the launch tables use.
    write("bin/dialer",
          QStringLiteral("#!/bin/sh\nexec '%1' path-dialer \"$@\"\n").arg(at("bin/record")), true);
    write("bin/defrag",
          QStringLiteral("#!/bin/sh\nexec '%1' path-defrag \"$@\"\n").arg(at("bin/record")), true);
    write("bin/xfce4-session-logout",
          QStringLiteral("#!/bin/sh\nexec '%1' logout \"$@\"\n").arg(at("bin/record")), true);

    entry("a-calc.desktop", "Utility;Calculator;", "OnlyShowIn=OTHER;\n");
    entry("b-calc.desktop", "Utility;Calculator;");
    entry("a-chat.desktop", "Network;InstantMessaging;", "NotShowIn=QORTEST;\n");
    entry("b-chat.desktop", "Network;InstantMessaging;");
    entry("a-editor.desktop", "Utility;TextEditor;");
    entry("z-editor.desktop", "Office;", "MimeType=text/plain;\n", "%F");
    entry("a-paint.desktop", "Graphics;RasterGraphics;", "Hidden=true\n");
    entry("b-paint.desktop", "Graphics;RasterGraphics;", "NoDisplay=true\n");
    entry("c-paint.desktop", "Graphics;RasterGraphics;", "TryExec=/nonexistent/paint\n");
    entry("d-paint.desktop", "Graphics;RasterGraphics;");
    entry("files.desktop", "System;FileManager;", "Icon=folder\n", "%U %c %k %i");
    entry("player.desktop", "AudioVideo;Player;Video;", {}, "%f %U %i");
    entry("disks.desktop", "System;Filesystem;");
    write("data/applications/sleeper.desktop",
          QStringLiteral("[Desktop Entry]\nType=Application\nName=Sleeper\nExec=%1\n")
              .arg(at("bin/sleeper")));
    write("config/mimeapps.list", "[Default Applications]\ntext/plain=z-editor.desktop\n");
    write("config/qor/programs.conf", "[Programs]\n"
                                      "Dialer=record user-dialer\n"
                                      "scandskw=disks.desktop\n"
                                      "appwiz.cpl=org.example.Missing.desktop\n"
                                      "sysdm.cpl='unclosed\n"
                                      "sleeper=sleeper.desktop\n");

    qputenv("XDG_DATA_HOME", at("data").toLocal8Bit());
    qputenv("XDG_DATA_DIRS", at("system-data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", at("config").toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", at("system-config").toLocal8Bit());
    qputenv("XDG_CURRENT_DESKTOP", "QORTEST:XFCE");
    qputenv("PATH", (at("bin") + ":/usr/bin:/bin").toLocal8Bit());
    // No session bus: GIO would otherwise start one to announce each launch.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
}

QString readRecord(const QString& name) {
    QFile file(at("out/" + name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString launchFailure(const QString& commandLine) {
    try {
        DesktopProgramLauncher().start(commandLine, ShowStyle::Normal);
    } catch (const LaunchFailure& failure) {
        return failure.text();
    }
    return {};
}

bool gioLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/libgio-2.0.so");
}

} // namespace

class DesktopLaunchTest : public QObject {
    Q_OBJECT
private slots:
    // GIO costs every start its loading; only a look at the desktop's applications loads it.
    void gioIsLoadedByTheFirstLookAtTheDesktop() {
        QVERIFY(!gioLoaded());
        DesktopProgramLauncher().start("defrag /h", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at("out/path-defrag")), 10000);
        QVERIFY2(!gioLoaded(), "a program found on PATH loaded GIO");
        DesktopProgramLauncher().start("C:\\WINDOWS\\CALC.EXE", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at("out/b-calc")), 10000);
        QVERIFY(gioLoaded());
    }

    void startsTheProgramForTheCommandLine_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("arguments");
        QTest::newRow("category, OnlyShowIn another desktop passed over") << "C:\\WINDOWS\\CALC.EXE"
                                                                          << "b-calc"
                                                                          << "";
        QTest::newRow("category, NotShowIn this desktop passed over") << "C:\\WINDOWS\\winpopup.exe"
                                                                      << "b-chat"
                                                                      << "";
        QTest::newRow("MIME default beats a category match") << "notepad.exe"
                                                             << "z-editor"
                                                             << "";
        QTest::newRow("Hidden, NoDisplay and missing TryExec skipped") << "pbrush"
                                                                       << "d-paint"
                                                                       << "";
        QTest::newRow("field codes filled")
            << "explorer"
            << "files"
            << QStringLiteral("%1\nFixture files\n%2\n--icon\nfolder\n")
                   .arg(QDir::homePath(), at("data/applications/files.desktop"));
        QTest::newRow("field codes dropped") << "mplayer"
                                             << "player"
                                             << "";
        QTest::newRow("user's command line beats PATH") << "dialer"
                                                        << "user-dialer"
                                                        << "";
        QTest::newRow("user's desktop entry") << "scandskw"
                                              << "disks"
                                              << "";
        QTest::newRow("PATH beats the desktop") << "defrag /h"
                                                << "path-defrag"
                                                << "/h\n";
        QTest::newRow("log-out dialog of this desktop") << "Rundll32.exe user,exitwindows"
                                                        << "logout"
                                                        << "";
    }
    void startsTheProgramForTheCommandLine() {
        QFETCH(QString, commandLine);
        QFETCH(QString, record);
        QFETCH(QString, arguments);
        QFile::remove(at("out/" + record));
        DesktopProgramLauncher().start(commandLine, ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at("out/" + record)), 10000);
        QCOMPARE(readRecord(record), arguments);
    }

    void nothingFoundSaysWhatWasLookedFor_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("lines");
        const QString set = "To choose a program, set %1 in the [Programs] group of " +
                            at("config/qor/programs.conf") +
                            " to a desktop entry id or a command line.";
        QTest::newRow("purpose with no application")
            << "control"
            << QStringList{"File not found: control",
                           "No system settings application is installed: QOR looked on PATH, for "
                           "an application of categories Settings and DesktopSettings, for an "
                           "application of category Settings.",
                           set.arg("control")};
        QTest::newRow("user's entry id not installed")
            << "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1"
            << QStringList{"File not found: rundll32.exe",
                           "No software manager is installed: QOR looked on PATH, for an "
                           "application of category PackageManager.",
                           set.arg("appwiz.cpl"),
                           at("config/qor/programs.conf") +
                               ", [Programs] appwiz.cpl: no installed application has the "
                               "desktop entry id org.example.Missing.desktop"};
        QTest::newRow("unknown program") << "qor-no-such-program --flag"
                                         << QStringList{"File not found: qor-no-such-program",
                                                        "It is not on PATH, and QOR knows no "
                                                        "desktop application for it.",
                                                        set.arg("qor-no-such-program")};
        QTest::newRow("empty command line") << "" << QStringList{"File not found: "};
    }
    void nothingFoundSaysWhatWasLookedFor() {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, lines);
        QCOMPARE(launchFailure(commandLine).split('\n'), lines);
    }

    void aMalformedEntryIsNamedAndTheRestStillWorks() {
        const QStringList lines =
            launchFailure("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1").split('\n');
        QCOMPARE(lines.first(), QString("File not found: rundll32.exe"));
        QVERIFY2(
            lines.last().startsWith(at("config/qor/programs.conf") + ", [Programs] sysdm.cpl: "),
            qPrintable(lines.last()));
        QFile::remove(at("out/user-dialer"));
        DesktopProgramLauncher().start("dialer", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at("out/user-dialer")), 10000);
    }

    // A launcher process that starts a desktop entry and ends at once: the program goes on
    // without it, belongs to neither process, and leaves no zombie once it ends.
    void aStartedEntryOutlivesTheLauncherAndLeavesNoZombie() {
        QProcess launcher;
        launcher.setProcessEnvironment([] {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QOR_TEST_LAUNCH", "sleeper");
            return environment;
        }());
        launcher.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(launcher.waitForFinished(10000));
        QCOMPARE(launcher.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at("out/sleeper")), 10000);
        const QStringList ids = readRecord("sleeper").split(' ');
        const QString pid = ids.first();
        QVERIFY(QFile::exists("/proc/" + pid));
        QVERIFY(ids.last().toLongLong() != launcher.processId());
        QVERIFY(ids.last().toLongLong() != ::getpid());

        QFile::remove(at("out/sleeper"));
        DesktopProgramLauncher().start("sleeper", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at("out/sleeper")), 10000);
        const QString ownPid = readRecord("sleeper").split(' ').first();
        // Once it has ended its /proc entry goes; a zombie of this process would keep it.
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists("/proc/" + ownPid), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists("/proc/" + pid), 10000);
    }
};

// Run with QOR_TEST_LAUNCH set, the program is a launcher that starts that command line in the
// inherited fixture desktop and ends at once.
int main(int argc, char** argv) {
    const QByteArray launchOnly = qgetenv("QOR_TEST_LAUNCH");
    if (!launchOnly.isEmpty()) {
        QCoreApplication application(argc, argv);
        DesktopProgramLauncher().start(QString::fromLocal8Bit(launchOnly), ShowStyle::Normal);
        return 0;
    }
    QTemporaryDir folder;
    root = &folder;
    makeFixtureDesktop();
    QCoreApplication application(argc, argv);
    DesktopLaunchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktoplaunch.moc"
