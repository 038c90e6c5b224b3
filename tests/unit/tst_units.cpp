#include "support/DarkScheme.h"
#include "ui/OleColor.h"
#include "ui/ReadableText.h"
#include "ui/Twips.h"

#include <QTest>

using namespace qor;

class UnitsTest : public QObject {
    Q_OBJECT
private slots:
    void twipsToPixels_data() {
        QTest::addColumn<float>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("main window width") << 7350.0f << 490;
        QTest::newRow("picture box height") << 2655.0f << 177;
        QTest::newRow("half a pixel rounds up") << 7.5f << 1;
        QTest::newRow("just under half rounds down") << 7.4f << 0;
        QTest::newRow("negative") << -30.0f << -2;
        QTest::newRow("screen saver width") << 152400.0f << 10160;
    }
    void twipsToPixels() {
        QFETCH(float, twips);
        QFETCH(int, pixels);
        QCOMPARE(qor::twipsToPixels(twips), pixels);
    }

    void pixelsReadBackAsFifteenTwips() {
        QCOMPARE(pixelsToTwips(1280), 19200.0f);
        QCOMPARE(pixelsToTwips(0), 0.0f);
    }

    void rgbColours_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("dark green") << 0x00004000u << QColor(0, 64, 0);
        QTest::newRow("light blue text box") << 0x00FF8080u << QColor(128, 128, 255);
        QTest::newRow("dark teal") << 0x00404000u << QColor(0, 64, 64);
        QTest::newRow("white") << 0x00FFFFFFu << QColor(255, 255, 255);
    }
    void rgbColours() {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QCOMPARE(OleColor{value}.resolve(QPalette()), colour);
        QVERIFY(!OleColor{value}.isSystem());
    }

    void rgbHelperBuildsBgrLayout() { QCOMPARE(OleColor::rgb(50, 50, 50).value, 0x00323232u); }

    void systemColoursFollowThePalette_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<int>("role");
        QTest::newRow("8 window text") << 0x80000008u << int(QPalette::WindowText);
        QTest::newRow("9 caption text") << 0x80000009u << int(QPalette::WindowText);
        QTest::newRow("13 highlight") << 0x8000000Du << int(QPalette::Highlight);
        QTest::newRow("14 highlighted text") << 0x8000000Eu << int(QPalette::HighlightedText);
        QTest::newRow("18 button text") << 0x80000012u << int(QPalette::ButtonText);
    }
    void systemColoursFollowThePalette() {
        QFETCH(quint32, value);
        QFETCH(int, role);
        // Distinct colours for every role, so that a wrong mapping cannot pass by accident.
        QPalette palette;
        palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
        palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
        palette.setColor(QPalette::HighlightedText, QColor(7, 8, 9));
        palette.setColor(QPalette::ButtonText, QColor(10, 11, 12));
        // An inactive window keeps the scheme's colours: the inactive group must not be used.
        for (auto r : {QPalette::WindowText, QPalette::Highlight, QPalette::HighlightedText,
                       QPalette::ButtonText})
            palette.setColor(QPalette::Inactive, r, QColor(200, 200, 200));
        palette.setCurrentColorGroup(QPalette::Inactive);
        QVERIFY(OleColor{value}.isSystem());
        QCOMPARE(OleColor{value}.resolve(palette),
                 palette.color(QPalette::Active, QPalette::ColorRole(role)));
    }

    void contrastRatioRunsFromOneToTwentyOne() {
        QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(contrastRatio(Qt::white, Qt::black), 21.0);
        QCOMPARE(contrastRatio(QColor(90, 90, 90), QColor(90, 90, 90)), 1.0);
    }

    // A dark scheme that resolves window text (8) and highlighted text (14) to near-white.
    void textTooCloseToItsBackTakesTheSchemesContrastingColour_data() {
        QTest::addColumn<QColor>("fore");
        QTest::addColumn<bool>("foreFromScheme");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<bool>("backFromScheme");
        QTest::addColumn<QColor>("drawn");
        const QColor nearWhite(235, 235, 235), white(255, 255, 255), darkest(20, 20, 24);
        QTest::newRow("both from the scheme, too close")
            << nearWhite << true << white << true << darkest;
        QTest::newRow("both from the scheme, readable")
            << QColor(120, 120, 120) << true << white << true << QColor(120, 120, 120);
        QTest::newRow("fixed fore colour stays")
            << nearWhite << false << white << true << nearWhite;
        QTest::newRow("fixed back colour stays")
            << nearWhite << true << white << false << nearWhite;
        QTest::newRow("both fixed stay") << nearWhite << false << white << false << nearWhite;
    }
    void textTooCloseToItsBackTakesTheSchemesContrastingColour() {
        QFETCH(QColor, fore);
        QFETCH(bool, foreFromScheme);
        QFETCH(QColor, back);
        QFETCH(bool, backFromScheme);
        QFETCH(QColor, drawn);
        const QPalette dark = darkScheme();
        QCOMPARE(readableTextColour({fore, foreFromScheme}, {back, backFromScheme}, dark), drawn);
    }
};

QTEST_MAIN(UnitsTest)
#include "tst_units.moc"
