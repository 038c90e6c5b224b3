#include "app/Services.h"
#include "windows/tools/SlideAwayExit.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace qor;

namespace {

enum class Value { Height, Top, Left };

// A window and screen held in plain numbers. It records every change it is asked for, applies it
// through a replaceable rule (exact by default), can change the screen size once a given number of
// changes has been made, and stops a runaway loop instead of hanging the test.
class ScriptedSurface : public SlideAwaySurface {
public:
    struct Set {
        Value value;
        float asked;
    };

    float height = 4860, top = 0, left = 0;
    float screenHeight = 15360, screenWidth = 19200;
    std::function<float(Value, float current, float asked)> apply = [](Value, float, float asked) {
        return asked;
    };
    std::size_t screenChangesAfter = 0;
    float nextScreenHeight = 0, nextScreenWidth = 0;
    std::vector<Set> sets;

    int count(Value value) const {
        return int(std::count_if(sets.begin(), sets.end(),
                                 [value](const Set& set) { return set.value == value; }));
    }

    float Height() const override { return height; }
    void setHeight(float value) override { change(Value::Height, height, value); }
    float Top() const override { return top; }
    void setTop(float value) override { change(Value::Top, top, value); }
    float Left() const override { return left; }
    void setLeft(float value) override { change(Value::Left, left, value); }
    float ScreenHeight() const override { return screenHeight; }
    float ScreenWidth() const override { return screenWidth; }

private:
    void change(Value value, float& current, float asked) {
        if (sets.size() > 100000)
            throw std::runtime_error("the slide-away exit does not end");
        sets.push_back({value, asked});
        current = apply(value, current, asked);
        if (sets.size() == screenChangesAfter) {
            screenHeight = nextScreenHeight;
            screenWidth = nextScreenWidth;
        }
    }
};

// The phases run in order, and every step is 20 from the value read back before it.
void verifyStepsInOrder(const std::vector<ScriptedSurface::Set>& sets, float startHeight,
                        float startTop, float startLeft) {
    float expected[] = {startHeight - 20, startTop + 20, startLeft + 20};
    int phase = 0;
    for (const auto& set : sets) {
        QVERIFY(int(set.value) >= phase);
        phase = int(set.value);
        QCOMPARE(set.asked, expected[phase]);
        expected[phase] += phase == 0 ? -20.0f : 20.0f;
    }
}

} // namespace

class SlideAwayTest : public QObject {
    Q_OBJECT
private slots:
    void phasesStepUntilTheirLimits_data() {
        QTest::addColumn<float>("height");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("left");
        QTest::addColumn<int>("folds");
        QTest::addColumn<int>("drops");
        QTest::addColumn<int>("runOffs");
        QTest::addColumn<float>("endHeight");
        QTest::addColumn<float>("endTop");
        QTest::addColumn<float>("endLeft");
        // The screen is 15360 high (lowest top 14860) and 19200 wide.
        QTest::newRow("new window folds in 222 steps to 420")
            << 4860.f << 0.f << 0.f << 222 << 744 << 961 << 420.f << 14880.f << 19220.f;
        QTest::newRow("height 435 makes no fold step")
            << 435.f << 14880.f << 19220.f << 0 << 0 << 0 << 435.f << 14880.f << 19220.f;
        QTest::newRow("height 436 makes one fold step")
            << 436.f << 14880.f << 19220.f << 1 << 0 << 0 << 416.f << 14880.f << 19220.f;
        QTest::newRow("top exactly at screen height minus 500 drops once")
            << 400.f << 14860.f << 19220.f << 0 << 1 << 0 << 400.f << 14880.f << 19220.f;
        QTest::newRow("top just past it stays")
            << 400.f << 14860.5f << 19220.f << 0 << 0 << 0 << 400.f << 14860.5f << 19220.f;
        QTest::newRow("left exactly at screen width runs once")
            << 400.f << 14880.f << 19200.f << 0 << 0 << 1 << 400.f << 14880.f << 19220.f;
        QTest::newRow("window past every limit makes no step")
            << 100.f << 15000.f << 20000.f << 0 << 0 << 0 << 100.f << 15000.f << 20000.f;
        QTest::newRow("window left of and above the screen")
            << 1000.f << -300.f << -50.f << 29 << 759 << 963 << 420.f << 14880.f << 19210.f;
    }
    void phasesStepUntilTheirLimits() {
        QFETCH(float, height);
        QFETCH(float, top);
        QFETCH(float, left);
        ScriptedSurface window;
        window.height = height;
        window.top = top;
        window.left = left;

        runSlideAway(window);

        QTEST(window.count(Value::Height), "folds");
        QTEST(window.count(Value::Top), "drops");
        QTEST(window.count(Value::Left), "runOffs");
        QTEST(window.height, "endHeight");
        QTEST(window.top, "endTop");
        QTEST(window.left, "endLeft");
        verifyStepsInOrder(window.sets, height, top, left);
    }

    void newScreenSizeAppliesFromTheNextPass_data() {
        QTest::addColumn<int>("changeAfter");
        QTest::addColumn<float>("newHeight");
        QTest::addColumn<float>("newWidth");
        QTest::addColumn<int>("drops");
        QTest::addColumn<int>("runOffs");
        QTest::addColumn<float>("endTop");
        QTest::addColumn<float>("endLeft");
        // The window starts folded at the top-left corner, so every change is a drop or a run-off.
        QTest::newRow("screen shrinks above the window mid-drop")
            << 10 << 600.f << 19200.f << 10 << 961 << 200.f << 19220.f;
        QTest::newRow("screen grows mid-drop")
            << 10 << 30000.f << 19200.f << 1476 << 961 << 29520.f << 19220.f;
        QTest::newRow("screen narrows mid-run-off")
            << 744 + 5 << 15360.f << 1000.f << 744 << 51 << 14880.f << 1020.f;
        QTest::newRow("screen narrows left of the window mid-run-off")
            << 744 + 5 << 15360.f << 50.f << 744 << 5 << 14880.f << 100.f;
    }
    void newScreenSizeAppliesFromTheNextPass() {
        QFETCH(int, changeAfter);
        ScriptedSurface window;
        window.height = 400;
        window.screenChangesAfter = std::size_t(changeAfter);
        QFETCH(float, newHeight);
        QFETCH(float, newWidth);
        window.nextScreenHeight = newHeight;
        window.nextScreenWidth = newWidth;

        runSlideAway(window);

        QTEST(window.count(Value::Top), "drops");
        QTEST(window.count(Value::Left), "runOffs");
        QTEST(window.top, "endTop");
        QTEST(window.left, "endLeft");
    }

    // A window manager may keep a window above a minimum height or on the screen; a change it
    // refuses leaves the value where it was, and the phase must end rather than spin.
    void refusedStepEndsItsPhase_data() {
        QTest::addColumn<int>("held");
        QTest::addColumn<float>("bound");
        QTest::addColumn<int>("folds");
        QTest::addColumn<int>("drops");
        QTest::addColumn<int>("runOffs");
        QTest::addColumn<float>("endHeight");
        QTest::addColumn<float>("endTop");
        QTest::addColumn<float>("endLeft");
        QTest::newRow("height refused at once")
            << int(Value::Height) << 4860.f << 1 << 744 << 961 << 4860.f << 14880.f << 19220.f;
        QTest::newRow("height kept at 600 or more")
            << int(Value::Height) << 600.f << 214 << 744 << 961 << 600.f << 14880.f << 19220.f;
        QTest::newRow("top refused at once")
            << int(Value::Top) << 0.f << 222 << 1 << 961 << 420.f << 0.f << 19220.f;
        QTest::newRow("top kept above 10000")
            << int(Value::Top) << 10000.f << 222 << 501 << 961 << 420.f << 10000.f << 19220.f;
        QTest::newRow("left refused at once")
            << int(Value::Left) << 0.f << 222 << 744 << 1 << 420.f << 14880.f << 0.f;
        QTest::newRow("left kept on the screen")
            << int(Value::Left) << 17290.f << 222 << 744 << 866 << 420.f << 14880.f << 17290.f;
    }
    void refusedStepEndsItsPhase() {
        QFETCH(int, held);
        QFETCH(float, bound);
        ScriptedSurface window;
        window.apply = [held, bound](Value value, float, float asked) {
            if (int(value) != held)
                return asked;
            return value == Value::Height ? std::max(asked, bound) : std::min(asked, bound);
        };

        runSlideAway(window);

        QTEST(window.count(Value::Height), "folds");
        QTEST(window.count(Value::Top), "drops");
        QTEST(window.count(Value::Left), "runOffs");
        QTEST(window.height, "endHeight");
        QTEST(window.top, "endTop");
        QTEST(window.left, "endLeft");
    }

    // A platform that moves the window back against the step makes no progress either.
    void stepPushedBackEndsItsPhase() {
        ScriptedSurface window;
        window.height = 400;
        window.apply = [](Value value, float current, float asked) {
            return value == Value::Top ? current - 20 : asked;
        };

        runSlideAway(window);

        QCOMPARE(window.count(Value::Top), 1);
        QCOMPARE(window.top, -20.f);
        QCOMPARE(window.count(Value::Left), 961);
    }

    // Applied lengths are whole pixels of 15 twips: each step of 20 moves by 15, and every phase
    // still reaches its limit.
    void pixelRoundingSurfaceStillEnds() {
        ScriptedSurface window;
        window.apply = [](Value, float, float asked) { return std::round(asked / 15) * 15; };

        runSlideAway(window);

        QCOMPARE(window.count(Value::Height), 295);
        QCOMPARE(window.height, 435.f);
        QCOMPARE(window.count(Value::Top), 991);
        QCOMPARE(window.top, 14865.f);
        QCOMPARE(window.count(Value::Left), 1281);
        QCOMPARE(window.left, 19215.f);
    }

    // A pixel grid coarser than the step rounds every step away: no phase may spin on it.
    void stepRoundedAwayEndsEveryPhase() {
        ScriptedSurface window;
        window.apply = [](Value, float, float asked) { return std::round(asked / 45) * 45; };

        runSlideAway(window);

        QCOMPARE(window.count(Value::Height), 1);
        QCOMPARE(window.count(Value::Top), 1);
        QCOMPARE(window.count(Value::Left), 1);
        QCOMPARE(window.height, 4860.f);
    }

    void failureStopsTheAnimation() {
        class FailingTop : public ScriptedSurface {
        public:
            void setTop(float) override { throw Failure("Top refused"); }
        } window;

        QVERIFY_THROWS_EXCEPTION(Failure, runSlideAway(window));
        QCOMPARE(window.count(Value::Height), 222);
        QCOMPARE(window.count(Value::Left), 0);
    }
};

QTEST_MAIN(SlideAwayTest)
#include "tst_slideaway.moc"
