#include "app/Services.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"
#include "app/platform/launcher/ProgramResolver.h"
#include "support/FixtureDesktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// GLib's version, from the GLib that QOR links; its header is not on the tests' include path.
extern "C" const unsigned int glib_major_version;
extern "C" const unsigned int glib_minor_version;

using namespace qor;
using namespace qor::test;

namespace {

// One fixture desktop for the whole run, written before anything asks GIO: GLib reads the XDG
// folders once per process. No entry in it has the category its purpose looks for, so every
// application found here is found by GIO's desktop search for the shipped purposes' words. The
// weaker matches stand in GenericName: GLib 2.74 (Debian 12) searches the words of an entry's
// comment too, GLib 2.84 (Debian 13) no longer does, and both search the generic name.
FixtureDesktop* desktop = nullptr;

// Whether this GLib's desktop search reads comments: measured true for 2.74, false for 2.84.
bool searchReadsComments() {
    return glib_major_version == 2 && glib_minor_version <= 74;
}

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
    desktop->application("b-player.desktop", "Name=Films\nGenericName=Media player for films\n");
    desktop->application("a-chat.desktop", "Name=Chat\nNoDisplay=true\n");
    desktop->application("b-chat.desktop", "Name=Talk\nGenericName=Chat with friends\n");
    desktop->application("a-phone.desktop", "Name=Phone\nTryExec=/nonexistent/phone\n");
    desktop->application("b-phone.desktop", "Name=Ring\nGenericName=Phone calls\n");
    desktop->application("a-hardware.desktop", "Name=Hardware\nOnlyShowIn=OTHER;\n");
    desktop->application("b-hardware.desktop",
                         "Name=Gadgets\nGenericName=Hardware of this computer\n");
    // Ranking: a name match beats a generic name match, whatever the ids' order.
    desktop->application("a-notes.desktop", "Name=Notes\nGenericName=Text editor for plain text\n");
    desktop->application("z-editor.desktop", "Name=Text Editor\n");
    // Matches ranked alike: the first id.
    desktop->application("b-packages.desktop", "Name=Package Manager\n");
    desktop->application("a-packages.desktop", "Name=Package Manager\n");
    // The purpose's first words win over a better match of its later ones.
    desktop->application("a-files.desktop", "Name=Files\n");
    desktop->application("b-browser.desktop", "Name=Browser\nGenericName=File manager\n");
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
        // Where the search does not read comments, an entry that names its purpose only there is
        // not found, and the button says what was looked for.
        QTest::newRow("an entry shaped like galculator's")
            << "C:\\WINDOWS\\CALC.EXE"
            << (searchReadsComments() ? "galculator.desktop" : "not found");
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
        QString resolved;
        try {
            const ResolvedProgram program = resolver.resolve(commandLine);
            const QStringList command =
                QStringList{QFileInfo(program.executable).fileName()} + program.arguments;
            resolved = program.desktopId.isEmpty() ? command.join(' ') : program.desktopId;
        } catch (const LaunchFailure& failure) {
            QVERIFY2(QString::fromStdString(failure.what()).contains("a search for"),
                     failure.what());
            resolved = QStringLiteral("not found");
        }
        QCOMPARE(resolved, found);
    }

    void aSearchedEntryStarts() {
        DesktopProgramLauncher().start("pbrush", ShowStyle::Normal);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktop->recordFile("scribbler")), 10000);
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
