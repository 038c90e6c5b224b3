#include "app/Services.h"
#include "support/ScriptedRandomSource.h"
#include "windows/main/StarField.h"

#include <QTest>

#include <array>
#include <cmath>
#include <limits>

using namespace qor;

namespace {
const float justBelowOne = std::nextafter(1.0f, 0.0f);
}

class StarFieldTest : public QObject {
    Q_OBJECT
private slots:
    void makesExactly16500DotsThenStops() {
        ScriptedRandomSource source({0.5f});
        StarField field(source);
        int dots = 0;
        while (field.next())
            ++dots;
        QCOMPARE(dots, 16500);
        QCOMPARE(source.drawn(), std::size_t(3 * 16500));
        QVERIFY(!field.next());
        QCOMPARE(source.drawn(), std::size_t(3 * 16500));
    }

    // With draws just below 1, dot k lands just short of k across and 5k down; with draws of 0,
    // on the corner. Both pin the scales to exactly k and 5k.
    void dotKLiesWithinKAcrossAndFiveKDown() {
        ScriptedRandomSource highest({justBelowOne});
        ScriptedRandomSource lowest({0.0f});
        StarField highField(highest);
        StarField lowField(lowest);
        for (int k = 1; k <= 16500; ++k) {
            const auto high = highField.next();
            const auto low = lowField.next();
            QVERIFY(high && low);
            if (!(high->x < k && high->x > k - 1 && high->y < 5 * k && high->y > 5 * k - 5))
                QFAIL(qPrintable(
                    QStringLiteral("dot %1 at (%2, %3)").arg(k).arg(high->x).arg(high->y)));
            QCOMPARE(high->colourIndex, 15);
            QCOMPARE(low->x, 0.0f);
            QCOMPARE(low->y, 0.0f);
            QCOMPARE(low->colourIndex, 0);
        }
    }

    void verticalScalePasses32767WithoutWrapping() {
        ScriptedRandomSource source({0.5f});
        StarField field(source);
        std::optional<Dot> last;
        while (const auto dot = field.next())
            last = dot;
        QVERIFY(last);
        QCOMPARE(last->x, 8250.0f);
        QCOMPARE(last->y, 41250.0f);
    }

    void drawsGoAcrossThenDownThenColour() {
        ScriptedRandomSource source({0.25f, 0.5f, 0.75f, 0.125f, 0.375f, 0.0f});
        StarField field(source);

        const auto first = field.next();
        QVERIFY(first);
        QCOMPARE(source.drawn(), std::size_t(3));
        QCOMPARE(first->x, 0.25f);
        QCOMPARE(first->y, 2.5f);
        QCOMPARE(first->colourIndex, 11);

        const auto second = field.next();
        QVERIFY(second);
        QCOMPARE(second->x, 0.25f);
        QCOMPARE(second->y, 3.75f);
        QCOMPARE(second->colourIndex, 0);
    }

    void colourIndexRoundsToNearestTiesToEven_data() {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0.0f << 0;
        QTest::newRow("just below 1/30") << 0.0333333f << 0;
        QTest::newRow("just above 1/30") << 0.0333334f << 1;
        QTest::newRow("0.5 makes 7.5, tie to 8") << 0.5f << 8;
        // 1/6 in single precision times 15 rounds to exactly 2.5, an odd tie that goes down.
        QTest::newRow("1/6 makes 2.5, tie to 2") << 1.0f / 6.0f << 2;
        QTest::newRow("0.6 makes 9") << 0.6f << 9;
        QTest::newRow("largest draw below 1") << justBelowOne << 15;
    }
    void colourIndexRoundsToNearestTiesToEven() {
        QFETCH(float, draw);
        QTEST(paletteIndex(draw), "index");
    }

    void drawOutsideTheUnitRangeIsAFailure_data() {
        QTest::addColumn<float>("draw");
        QTest::newRow("1.1 would pick 16") << 1.1f;
        QTest::newRow("-0.1 would pick -2") << -0.1f;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity();
    }
    void drawOutsideTheUnitRangeIsAFailure() {
        QFETCH(float, draw);
        QVERIFY_THROWS_EXCEPTION(Failure, paletteIndex(draw));
    }

    void paletteEntries_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("0 black") << 0 << 0x00000000u;
        QTest::newRow("1 blue") << 1 << 0x00800000u;
        QTest::newRow("4 red") << 4 << 0x00000080u;
        QTest::newRow("6 olive") << 6 << 0x00008080u;
        QTest::newRow("7 light grey") << 7 << 0x00C0C0C0u;
        QTest::newRow("8 grey") << 8 << 0x00808080u;
        QTest::newRow("9 light blue") << 9 << 0x00FF0000u;
        QTest::newRow("12 light red") << 12 << 0x000000FFu;
        QTest::newRow("15 bright white") << 15 << 0x00FFFFFFu;
    }
    void paletteEntries() {
        QFETCH(int, index);
        QTEST(sixteenColourPalette[std::size_t(index)].value, "colour");
    }

    // Every draw is in [0, 1) and a whole multiple of 2^-24; the draws spread evenly over 16
    // bands (each within 2% of its share, far beyond chance for a million draws); a fresh
    // source repeats the sequence exactly.
    void fixedSourceIsRepeatableAndUniform() {
        constexpr int draws = 1000000;
        XorshiftRandomSource source;
        XorshiftRandomSource again;
        std::array<int, 16> bands{};
        double sum = 0;
        for (int i = 0; i < draws; ++i) {
            const float draw = source.next();
            if (!(draw >= 0.0f && draw < 1.0f) ||
                draw * 16777216.0f != std::floor(draw * 16777216.0f))
                QFAIL(qPrintable(
                    QStringLiteral("draw %1 is %2").arg(i).arg(double(draw), 0, 'g', 9)));
            if (again.next() != draw)
                QFAIL(qPrintable(QStringLiteral("fresh source differs at draw %1").arg(i)));
            ++bands[std::size_t(draw * 16)];
            sum += draw;
        }
        QVERIFY(std::abs(sum / draws - 0.5) < 0.005);
        for (int count : bands)
            QVERIFY2(std::abs(count - draws / 16) < draws / 16 / 50,
                     qPrintable(QString::number(count)));
    }
};

QTEST_MAIN(StarFieldTest)
#include "tst_starfield.moc"
