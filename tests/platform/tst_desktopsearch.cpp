#include "app/Services.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"
#include "app/platform/launcher/ProgramResolver.h"
#include "support/FixtureDesktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// One fixture desktop for the whole run, written before anything asks GIO: GLib reads the XDG
// folders once per process. No entry in it has the category its purpose looks for, so every
// application found here is found by GIO's desktop search for the shipped purposes' words.
FixtureDesktop* desktop = nullptr;

void makeFixtureDesktop() {
    // As galculator's own entry is: no Calculator category, the purpose only in the comment.
    desktop->application("galculator.desktop",
                         "Name=Galculator\nComment=Perform simple and scientific calculations\n"
                         "Icon=accessories-calculator\nCategories=Utility;\n");
    desktop->application("scribbler.desktop",
                         "Name=Scribbler\nComment=Make pictures\nKeywords=Paint;Sketch;\n"
                         "Categories=Graphics;\n");
    // Each purpose below has a best match that must not be chosen and a weaker one that may.
    desktop->application("a-player.desktop", "Name=Media Player\nHidden=true\n");
    desktop->application("b-player.desktop", "Name=Films\nComment=A media player for films\n");
    desktop->application("a-chat.desktop", "Name=Chat\nNoDisplay=true\n");
    desktop->application("b-chat.desktop", "Name=Talk\nComment=Chat with friends\n");
    desktop->application("a-phone.desktop", "Name=Phone\nTryExec=/nonexistent/phone\n");
    desktop->application("b-phone.desktop", "Name=Ring\nComment=Make phone calls\n");
    desktop->application("a-hardware.desktop", "Name=Hardware\nOnlyShowIn=OTHER;\n");
    desktop->application("b-hardware.desktop", "Name=Gadgets\nComment=Hardware of this computer\n");
    // Ranking: a name match beats a comment match, whatever the ids' order.
    desktop->application("a-notes.desktop", "Name=Notes\nComment=A plain text editor\n");
    desktop->application("z-editor.desktop", "Name=Text Editor\n");
    // Matches ranked alike: the first id.
    desktop->application("b-packages.desktop", "Name=Package Manager\n");
    desktop->application("a-packages.desktop", "Name=Package Manager\n");
    // The purpose's first words win over a better match of its later ones.
    desktop->application("a-files.desktop", "Name=Files\n");
    desktop->application("b-browser.desktop", "Name=Browser\nComment=A file manager\n");
    // Not shown in this desktop, and still the only match.
    desktop->application("disks.desktop", "Name=Disks\nOnlyShowIn=OTHER;\n");
    desktop->write("config/qor/programs.conf", "[Programs]\nscandskw=record user-scandisk\n");
    if (!desktop->failures().isEmpty())
        qFatal("cannot write %s", qPrintable(desktop->failures()));

    const QProcessEnvironment environment = desktop->environment("QORTEST");
    for (const QString& name : environment.keys())
        qputenv(qPrintable(name), environment.value(name).toLocal8Bit());
}

} // namespace

class DesktopSearchTest : public QObject {
    Q_OBJECT
private slots:
    // What each command line resolves to: a desktop entry id, or the program and arguments of a
    // command line from programs.conf.
    void theSearchFindsWhatTheCategoriesMiss_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("found");
        QTest::newRow("an entry shaped like galculator's") << "C:\\WINDOWS\\CALC.EXE"
                                                           << "galculator.desktop";
        QTest::newRow("only a keyword matches") << "pbrush"
                                                << "scribbler.desktop";
        QTest::newRow("Hidden passed over") << "mplayer"
                                            << "b-player.desktop";
        QTest::newRow("NoDisplay passed over") << "C:\\WINDOWS\\winpopup.exe"
                                               << "b-chat.desktop";
        QTest::newRow("missing TryExec passed over") << "dialer"
                                                     << "b-phone.desktop";
        QTest::newRow("OnlyShowIn another desktop passed over")
            << "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl @1"
            << "b-hardware.desktop";
        QTest::newRow("not shown, but the only match") << "defrag"
                                                       << "disks.desktop";
        QTest::newRow("a better match beats an earlier id") << "notepad.exe"
                                                            << "z-editor.desktop";
        QTest::newRow("matches ranked alike: the first id")
            << "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1"
            << "a-packages.desktop";
        QTest::newRow("the first words before the next") << "explorer"
                                                         << "b-browser.desktop";
        QTest::newRow("programs.conf beats the search") << "scandskw"
                                                        << "record user-scandisk";
    }
    void theSearchFindsWhatTheCategoriesMiss() {
        QFETCH(QString, commandLine);
        QFETCH(QString, found);
        const QString userFile = desktop->at("config/qor/programs.conf");
        const ProgramResolver resolver(PurposeTable::installed(), {userFile}, userFile);
        const ResolvedProgram program = resolver.resolve(commandLine);
        const QStringList command =
            QStringList{QFileInfo(program.executable).fileName()} + program.arguments;
        QCOMPARE(program.desktopId.isEmpty() ? command.join(' ') : program.desktopId, found);
    }

    void aSearchedEntryStarts() {
        DesktopProgramLauncher().start("C:\\WINDOWS\\CALC.EXE", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("galculator")), 10000);
    }
};

int main(int argc, char** argv) {
    QTemporaryDir folder;
    FixtureDesktop fixture(folder.path());
    desktop = &fixture;
    makeFixtureDesktop();
    QCoreApplication application(argc, argv);
    DesktopSearchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopsearch.moc"
