#include "app/Services.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"
#include "support/FixtureDesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

using namespace qor;
using namespace qor::test;

namespace {

// One fixture desktop for the whole run: GLib reads the XDG folders once per process, so they are
// set, and every entry written, before anything asks GIO.
FixtureDesktop* desktop = nullptr;

QString at(const QString& relative) {
    return desktop->at(relative);
}

void makeFixtureDesktop() {
    desktop->write(
        "bin/sleeper",
        QStringLiteral("#!/bin/sh\nexec >/dev/null 2>&1\necho $$ $PPID > '%1/sleeper.tmp'\n"
                       "mv '%1/sleeper.tmp' '%1/sleeper'\nsleep 3\n")
            .arg(at("out")));
    // On PATH, under the names the launch tables use.
    desktop->pathProgram("dialer", "path-dialer");
    desktop->pathProgram("defrag", "path-defrag");
    desktop->pathProgram("xfce4-session-logout", "logout");

    desktop->entry("a-calc.desktop", "Utility;Calculator;", "OnlyShowIn=OTHER;\n");
    desktop->entry("b-calc.desktop", "Utility;Calculator;");
    desktop->entry("a-chat.desktop", "Network;InstantMessaging;", "NotShowIn=QORTEST;\n");
    desktop->entry("b-chat.desktop", "Network;InstantMessaging;");
    desktop->entry("a-editor.desktop", "Utility;TextEditor;");
    desktop->entry("z-editor.desktop", "Office;", "MimeType=text/plain;\n", "%F");
    desktop->entry("a-paint.desktop", "Graphics;RasterGraphics;", "Hidden=true\n");
    desktop->entry("b-paint.desktop", "Graphics;RasterGraphics;", "NoDisplay=true\n");
    desktop->entry("c-paint.desktop", "Graphics;RasterGraphics;", "TryExec=/nonexistent/paint\n");
    desktop->entry("d-paint.desktop", "Graphics;RasterGraphics;");
    desktop->entry("files.desktop", "System;FileManager;", "Icon=folder\n", "%U %c %k %i");
    desktop->entry("player.desktop", "AudioVideo;Player;Video;", {}, "%f %U %i");
    desktop->entry("disks.desktop", "System;Filesystem;");
    desktop->write("data/applications/sleeper.desktop",
                   QStringLiteral("[Desktop Entry]\nType=Application\nName=Sleeper\nExec=%1\n")
                       .arg(at("bin/sleeper")));
    desktop->write("config/mimeapps.list", "[Default Applications]\ntext/plain=z-editor.desktop\n");
    desktop->write("config/qor/programs.conf", "[Programs]\n"
                                               "Dialer=record user-dialer\n"
                                               "scandskw=disks.desktop\n"
                                               "appwiz.cpl=org.example.Missing.desktop\n"
                                               "sysdm.cpl='unclosed\n"
                                               "sleeper=sleeper.desktop\n");
    if (!desktop->failures().isEmpty())
        qFatal("cannot write %s", qPrintable(desktop->failures()));

    const QProcessEnvironment environment = desktop->environment("QORTEST:XFCE");
    for (const QString& name : environment.keys())
        qputenv(qPrintable(name), environment.value(name).toLocal8Bit());
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
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("path-defrag")), 10000);
        QVERIFY2(!gioLoaded(), "a program found on PATH loaded GIO");
        DesktopProgramLauncher().start("C:\\WINDOWS\\CALC.EXE", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("b-calc")), 10000);
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
        QFile::remove(desktop->recordFile(record));
        DesktopProgramLauncher().start(commandLine, ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile(record)), 10000);
        QCOMPARE(desktop->record(record), arguments);
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
                           "application of category Settings, for an application matching a "
                           "search for \"control panel\", \"control center\", \"system "
                           "settings\" or \"settings manager\".",
                           set.arg("control")};
        QTest::newRow("user's entry id not installed")
            << "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1"
            << QStringList{"File not found: rundll32.exe",
                           "No software manager is installed: QOR looked on PATH, for an "
                           "application of category PackageManager, for an application matching "
                           "a search for \"package manager\" or \"software\".",
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
        QFile::remove(desktop->recordFile("user-dialer"));
        DesktopProgramLauncher().start("dialer", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("user-dialer")), 10000);
    }

    // A launcher process that starts a desktop entry and ends at once: the program goes on
    // without it. A program that this process starts is its child, collected once it ends.
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
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("sleeper")), 10000);
        const QStringList ids = desktop->record("sleeper").split(' ');
        const QString pid = ids.first();
        QVERIFY(QFile::exists("/proc/" + pid));
        QVERIFY(ids.last().toLongLong() != ::getpid());

        QFile::remove(desktop->recordFile("sleeper"));
        DesktopProgramLauncher().start("sleeper", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("sleeper")), 10000);
        const QStringList own = desktop->record("sleeper").split(' ');
        const QString ownPid = own.first();
        // Started by GIO's launch helper, which execs the program in the process it runs in.
        QCOMPARE(own.last().toLongLong(), qint64(::getpid()));
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
    FixtureDesktop fixture(folder.path());
    desktop = &fixture;
    makeFixtureDesktop();
    QCoreApplication application(argc, argv);
    DesktopLaunchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktoplaunch.moc"
