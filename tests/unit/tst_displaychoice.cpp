#include "app/DisplayChoice.h"

#include <QTest>

using namespace qor;

namespace {

struct Facts {
    bool chosen;
    const char* x11;
    bool x11Up;
    const char* wayland;
    bool waylandUp;
    bool plugin;
};

DisplayFacts factsFrom(const Facts& f) {
    return {f.chosen,    QString::fromLatin1(f.x11),
            f.x11Up,     QString::fromLatin1(f.wayland),
            f.waylandUp, f.plugin};
}

} // namespace

Q_DECLARE_METATYPE(DisplayFacts)

class DisplayChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void choose_data() {
        QTest::addColumn<DisplayFacts>("facts");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("error");

        const QString noPlacing = "windows cannot place themselves";
        QTest::newRow("the user's platform is left alone")
            << factsFrom({true, "", false, "", false, false}) << ""
            << ""
            << "";
        QTest::newRow("X session") << factsFrom({false, ":0", true, "", false, false}) << "xcb"
                                   << ""
                                   << "";
        QTest::newRow("Wayland session with XWayland")
            << factsFrom({false, ":0", true, "wayland-0", true, true}) << "xcb"
            << ""
            << "";
        QTest::newRow("Wayland session without XWayland")
            << factsFrom({false, "", false, "wayland-0", true, true}) << "wayland" << noPlacing
            << "";
        QTest::newRow("XWayland named but not answering")
            << factsFrom({false, ":0", false, "wayland-0", true, true}) << "wayland" << noPlacing
            << "";
        QTest::newRow("Wayland without Qt's plugin")
            << factsFrom({false, "", false, "wayland-0", true, false}) << ""
            << ""
            << "Qt's Wayland plugin is not installed (Debian package qt6-wayland). Install "
               "qt6-wayland, or enable XWayland";
        QTest::newRow("X server gone, no Wayland")
            << factsFrom({false, ":7", false, "", false, true}) << ""
            << ""
            << "the X server :7 cannot be reached, and no Wayland session is set";
        QTest::newRow("neither answers")
            << factsFrom({false, ":7", false, "wayland-1", false, true}) << ""
            << ""
            << "the Wayland compositor wayland-1 cannot be reached. Start it inside";
        QTest::newRow("no display at all")
            << factsFrom({false, "", false, "", false, true}) << ""
            << ""
            << "qor: no display. Start it inside a desktop session, or under a virtual X "
               "server: xvfb-run -a qor\n";
    }
    void choose() {
        QFETCH(DisplayFacts, facts);
        QFETCH(QString, platform);
        QFETCH(QString, notice);
        QFETCH(QString, error);
        const DisplayChoice choice = chooseDisplay(facts);
        QCOMPARE(choice.platform, platform);
        QCOMPARE(choice.notice.isEmpty(), notice.isEmpty());
        QVERIFY2(choice.notice.contains(notice), qPrintable(choice.notice));
        QCOMPARE(choice.error.isEmpty(), error.isEmpty());
        QVERIFY2(choice.error.contains(error), qPrintable(choice.error));
    }
};

QTEST_GUILESS_MAIN(DisplayChoiceTest)
#include "tst_displaychoice.moc"
