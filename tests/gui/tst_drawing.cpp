#include "support/Fakes.h"
#include "windows/main/Form1.h"
#include "windows/main/StarField.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <functional>
#include <stdexcept>

using namespace qor;
using namespace qor::test;

namespace {

// A colour no style uses, so a circle in it can only come from the window's fore colour.
const QColor foreColour(10, 200, 30);

// Client pixels of the main window: open surface, inside the shape, on a button, on the picture.
const QPoint onSurface(300, 150);
const QPoint insideShape1(284, 248);
const QPoint onCommand1(444, 36);
const QPoint onPicture1(100, 100);

// Client pixels of another button, where each test parks the pointer first: a move to where the
// pointer already is would not be delivered.
const QPoint onCommand2(444, 112);

// What a test sees of the star field's draws; it outlives the window's code.
struct DrawWatch {
    std::size_t drawn = 0;
    std::function<void(std::size_t)> beforeDraw;
};

// The fixed sequence, watched: a test sees the window as it is at each draw.
class WatchedSource : public RandomSource {
public:
    explicit WatchedSource(DrawWatch& watch) : watch(watch) {}
    float next() override {
        if (watch.beforeDraw)
            watch.beforeDraw(watch.drawn);
        ++watch.drawn;
        return sequence.next();
    }

private:
    DrawWatch& watch;
    XorshiftRandomSource sequence;
};

// The main window, shown and exposed, with the star field's draws coming from a watched source.
struct MainWindow {
    // Before the program: the window draws from it until the program closes the window.
    DrawWatch draws;
    TestProgram program;
    LiveWindow* window = nullptr;

    MainWindow() {
        program.show(WindowName::Form1);
        window = &program.window(WindowName::Form1);
        program.registry.moduleAs<Form1>(WindowName::Form1)
            ->useRandomSource(std::make_unique<WatchedSource>(draws));
        QVERIFY2(QTest::qWaitForWindowExposed(window), "the main window was not exposed");
        QTest::mouseMove(window, onCommand2);
    }
    int drawnPixels() const {
        int count = 0;
        const QImage& layer = window->drawingLayer();
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                count += qAlpha(layer.pixel(x, y)) != 0;
        return count;
    }
    QColor layerAt(QPoint p) const { return window->drawingLayer().pixelColor(p); }
    // What the platform has been given to show, without letting the window paint again.
    QImage onScreen() const { return window->screen()->grabWindow(window->winId()).toImage(); }
};

QColor greyOf(int level) {
    return QColor(level, level, level);
}

bool isPaletteColour(QRgb pixel) {
    for (const OleColor& colour : sixteenColourPalette)
        if (colour.resolve(QPalette()).rgb() == (pixel | 0xFF000000u))
            return true;
    return false;
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QPalette scheme = original;
        scheme.setColor(QPalette::ButtonText, foreColour);
        QApplication::setPalette(scheme);
    }
    void cleanup() {
        QApplication::setPalette(original);
        checkNoStrayWindows();
    }

    void pointerMoveDrawsACircleOnlyOverTheSurface_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("surface") << onSurface << true;
        QTest::newRow("Shape1") << insideShape1 << true;
        QTest::newRow("button") << onCommand1 << false;
        QTest::newRow("picture box") << onPicture1 << false;
    }
    void pointerMoveDrawsACircleOnlyOverTheSurface() {
        QFETCH(QPoint, point);
        QFETCH(bool, drawn);
        MainWindow main;
        QTest::mouseMove(main.window, point);
        if (!drawn) {
            QCOMPARE(main.drawnPixels(), 0);
            return;
        }
        // 34 twips is a radius of 2 pixels around the pointer's pixel; the inside stays clear.
        for (const QPoint offset : {QPoint(2, 0), QPoint(-2, 0), QPoint(0, 2), QPoint(0, -2)})
            QCOMPARE(main.layerAt(point + offset), foreColour);
        QCOMPARE(main.layerAt(point).alpha(), 0);
        QCOMPARE(main.layerAt(point + QPoint(1, 0)).alpha(), 0);
        QCOMPARE(main.layerAt(point + QPoint(3, 0)).alpha(), 0);
        QCOMPARE(main.drawnPixels(), 12);
        QCOMPARE(main.window->grab().toImage().pixelColor(point + QPoint(2, 0)), foreColour);
    }

    void pointerMoveAtTheCornerShowsOnlyTheInnerQuarter() {
        MainWindow main;
        // Straight to the window: the test library reads a move to (0, 0) as one to the centre.
        QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), main.window->mapToGlobal(QPointF(0, 0)),
                         Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(main.window, &move);
        const QImage& layer = main.window->drawingLayer();
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                if (qAlpha(layer.pixel(x, y)) != 0 && (x > 2 || y > 2))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) drawn").arg(x).arg(y)));
        QCOMPARE(main.layerAt({2, 0}), foreColour);
        QCOMPARE(main.layerAt({0, 2}), foreColour);
    }

    // Radii of 15R - 7 to 15R + 7 twips all round to a ring of R pixels, and the last drawn
    // there gives the ring its grey: 52 for the innermost ring (radii 50 to 52), white for the
    // outermost (radii 248 to 255).
    void pressDrawsTheRippleAroundThePoint_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("left, open surface") << int(Qt::LeftButton) << onSurface;
        QTest::newRow("right, clipped by the top edge") << int(Qt::RightButton) << QPoint(300, 5);
        QTest::newRow("middle, inside Shape1") << int(Qt::MiddleButton) << insideShape1;
    }
    void pressDrawsTheRippleAroundThePoint() {
        QFETCH(int, button);
        QFETCH(QPoint, point);
        MainWindow main;
        QTest::mousePress(main.window, Qt::MouseButton(button), {}, point);
        QTest::mouseRelease(main.window, Qt::MouseButton(button), {}, point);
        for (int ring = 3; ring <= 17; ++ring) {
            const QColor expected = greyOf(std::min(15 * ring + 7, 255));
            QCOMPARE(main.layerAt(point + QPoint(ring, 0)), expected);
            QCOMPARE(main.layerAt(point + QPoint(-ring, 0)), expected);
            if (point.y() - ring >= 0)
                QCOMPARE(main.layerAt(point - QPoint(0, ring)), expected);
        }
        QCOMPARE(main.layerAt(point + QPoint(2, 0)).alpha(), 0);
        QCOMPARE(main.layerAt(point + QPoint(18, 0)).alpha(), 0);
        QCOMPARE(main.window->grab().toImage().pixelColor(point + QPoint(17, 0)),
                 QColor(Qt::white));
        if (point.y() < 17) // the rings that cross the top edge are cut there, nothing wraps
            QCOMPARE(main.layerAt({point.x(), 0}), greyOf(15 * point.y() + 7));
    }

    // A button ignores a right click and the picture box any click; neither passes it on.
    void pressOnTheButtonsOrThePictureDrawsNothing() {
        MainWindow main;
        QTest::mouseClick(&main.window->control("Picture1"), Qt::LeftButton);
        QTest::mouseClick(&main.window->control("Command3"), Qt::RightButton);
        QTest::mouseClick(&main.window->control("Command9"), Qt::MiddleButton);
        QCOMPARE(main.drawnPixels(), 0);
        QVERIFY(main.program.launcher.launches.isEmpty());
    }

    // A dot is on the screen the moment it is drawn, below the controls.
    void dotsShowAtOnceAndStayBelowTheControls() {
        MainWindow main;
        main.window->setDrawWidth(4);
        const OleColor red = OleColor::rgb(255, 0, 0);
        main.window->PSet(float(onSurface.x() * 15), float(onSurface.y() * 15), red);
        main.window->PSet(float(onCommand1.x() * 15), float(onCommand1.y() * 15), red);
        const QImage screen = main.onScreen();
        QCOMPARE(screen.pixelColor(onSurface), QColor(Qt::red));
        QVERIFY(screen.pixelColor(onCommand1) != QColor(Qt::red));
        QCOMPARE(main.layerAt(onCommand1), QColor(Qt::red));

        // Right after a resize, before the window has painted its new size.
        main.window->resize(main.window->size() + QSize(30, 30));
        const QPoint newCorner(main.window->width() - 3, main.window->height() - 3);
        main.window->PSet(float(newCorner.x() * 15), float(newCorner.y() * 15), red);
        QCOMPARE(main.onScreen().pixelColor(newCorner), QColor(Qt::red));
        QCOMPARE(main.onScreen().pixelColor(onSurface),
                 OleColor(colors::highlight).resolve(main.window->palette()));
    }

    void unloadMaximizesThenDrawsTheStarField_data() {
        QTest::addColumn<bool>("closeSequence");
        QTest::newRow("close box") << false;
        QTest::newRow("close sequence") << true;
    }
    void unloadMaximizesThenDrawsTheStarField() {
        QFETCH(bool, closeSequence);
        MainWindow main;
        LiveWindow& window = *main.window;
        QTest::mouseMove(&window, onSurface); // a trail circle, which the maximize wipes
        QVERIFY(main.drawnPixels() > 0);
        const QSize normalSize = window.size();

        struct AtFirstDot {
            QRect frame;
            int drawnPixels = -1;
        } atFirstDot;
        int dotsChecked = 0, dotsOnScreen = 0;
        XorshiftRandomSource mirrorSource;
        StarField mirror(mirrorSource);
        main.draws.beforeDraw = [&](std::size_t drawn) {
            if (drawn == 0) {
                atFirstDot = {window.frameGeometry(), main.drawnPixels()};
                return;
            }
            if (drawn % 3 != 0)
                return;
            // Every 250th dot, once drawn, must be on the screen unless a control covers it.
            const auto dot = mirror.next();
            const QPoint centre(int(dot->x / 15), int(dot->y / 15));
            if (drawn / 3 % 250 != 1 || !window.rect().contains(centre) || window.childAt(centre))
                return;
            const QColor colour = sixteenColourPalette[std::size_t(dot->colourIndex)].resolve({});
            ++dotsChecked;
            dotsOnScreen += main.onScreen().pixelColor(centre) == colour;
        };
        QImage layerAtTheEnd;
        QSize sizeAtTheEnd;
        struct HideWatch : QObject {
            std::function<void()> onHide;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Hide && onHide)
                    onHide();
                return false;
            }
        } hideWatch;
        hideWatch.onHide = [&] {
            layerAtTheEnd = window.drawingLayer();
            sizeAtTheEnd = window.size();
        };
        window.installEventFilter(&hideWatch);

        if (closeSequence)
            window.button("Command8").click();
        else
            window.close();

        QCOMPARE(atFirstDot.frame, window.screen()->availableGeometry());
        QCOMPARE(atFirstDot.drawnPixels, 0);
        QCOMPARE(main.draws.drawn, std::size_t(3 * 16500));
        QVERIFY2(dotsChecked >= 10, qPrintable(QString::number(dotsChecked)));
        QCOMPARE(dotsOnScreen, dotsChecked);
        QVERIFY(sizeAtTheEnd != normalSize);
        QCOMPARE(layerAtTheEnd.size(), sizeAtTheEnd);
        int dotPixels = 0;
        for (int y = 0; y < layerAtTheEnd.height(); ++y)
            for (int x = 0; x < layerAtTheEnd.width(); ++x)
                if (const QRgb pixel = layerAtTheEnd.pixel(x, y); qAlpha(pixel) != 0) {
                    QVERIFY2(isPaletteColour(pixel), qPrintable(QString::number(pixel, 16)));
                    ++dotPixels;
                }
        QVERIFY2(dotPixels > 100000, qPrintable(QString::number(dotPixels)));
        QCOMPARE(main.program.registry.state(WindowName::Form1), WindowRegistry::State::NotLoaded);
        // The close sequence leaves its closing notice loaded, which keeps the program running.
        QCOMPARE(main.program.quitStatus,
                 closeSequence ? std::optional<int>() : std::optional<int>(0));
        QCOMPARE(main.program.launcher.launches.size(), closeSequence ? 1 : 0);
    }

    void endAndUnhandledFailureDrawNoStarField_data() {
        QTest::addColumn<bool>("failure");
        QTest::newRow("end operation") << false;
        QTest::newRow("unhandled failure") << true;
    }
    void endAndUnhandledFailureDrawNoStarField() {
        QFETCH(bool, failure);
        MainWindow main;
        bool maximized = false;
        struct StateWatch : QObject {
            bool* maximized;
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() == QEvent::WindowStateChange)
                    *maximized |= static_cast<QWidget*>(watched)->isMaximized();
                return false;
            }
        } stateWatch;
        stateWatch.maximized = &maximized;
        main.window->installEventFilter(&stateWatch);
        main.program.event([&] {
            if (failure)
                throw std::runtime_error("Out of memory");
            main.program.registry.End();
        });
        QCOMPARE(main.program.quitStatus, std::optional<int>(failure ? 1 : 0));
        QCOMPARE(main.draws.drawn, std::size_t(0));
        QVERIFY(!maximized);
        QCOMPARE(main.program.registry.state(WindowName::Form1), WindowRegistry::State::NotLoaded);
    }

    // Input that arrives while the window waits for its maximized size runs no handler: it is
    // held back until the star field is over, and by then the window has gone.
    void inputWhileMaximizingRunsNoHandler() {
        MainWindow main;
        QPushButton& calculator = main.window->button("Command1");
        std::optional<std::size_t> drawsAtLaunch;
        main.program.launcher.onStart = [&] { drawsAtLaunch = main.draws.drawn; };
        const QPointF inside(calculator.rect().center());
        QCoreApplication::postEvent(&calculator,
                                    new QMouseEvent(QEvent::MouseButtonPress, inside,
                                                    calculator.mapToGlobal(inside), Qt::LeftButton,
                                                    Qt::LeftButton, {}));
        QCoreApplication::postEvent(&calculator, new QMouseEvent(QEvent::MouseButtonRelease, inside,
                                                                 calculator.mapToGlobal(inside),
                                                                 Qt::LeftButton, Qt::NoButton, {}));
        main.window->close();
        QCOMPARE(main.draws.drawn, std::size_t(3 * 16500));
        QCoreApplication::processEvents();
        QCOMPARE(drawsAtLaunch, std::nullopt);
        QCOMPARE(main.program.quitStatus, std::optional<int>(0));
    }

private:
    const QPalette original = QApplication::palette();
};

QTEST_MAIN(DrawingTest)
#include "tst_drawing.moc"
