#include "ui/OleColor.h"
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
};

QTEST_MAIN(UnitsTest)
#include "tst_units.moc"
