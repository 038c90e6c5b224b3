#include "windows/main/DrawingEffects.h"
#include "windows/main/Form1.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace qor;

namespace {

enum class Before { Nothing, Drawings, CaptionChange };

// The pixels that differ between what the X server shows of the window and the window's own
// paint of everything, controls and drawing layer included.
int differingFromPaint(LiveWindow& window) {
    const QImage onScreen =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage painted = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (onScreen.size() != painted.size())
        return -1;
    int differing = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            differing += onScreen.pixel(x, y) != painted.pixel(x, y);
    return differing;
}

// The paint events that reach a window.
struct PaintsCounted : QObject {
    explicit PaintsCounted(QWidget& window) : window(window) { window.installEventFilter(this); }
    ~PaintsCounted() override { window.removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
    QWidget& window;
    int count = 0;
};

// The main window with, past its client area, what the enlarged window must paint there itself.
WindowDescription withContentBeyondTheClientArea() {
    WindowDescription description = Form1::describe();
    description.controls.push_back({.name = "Beyond",
                                    .kind = ControlKind::Button,
                                    .caption = "Beyond",
                                    .box = {8000, 600, 1500, 600}});
    description.controls.push_back(
        {.name = "Line1", .kind = ControlKind::Line, .ends = {3000, 1000, 12000, 9000}});
    description.controls.push_back({.name = "Shape2",
                                    .kind = ControlKind::Shape,
                                    .box = {9000, 5500, 2000, 1200},
                                    .shape = ShapeKind::RoundedSquare});
    return description;
}

} // namespace

// The main window's drawing on the real X server: what reaches the screen, dot by dot, past the
// toolkit's own painting, must be exactly what the window paints.
class DrawingEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void starFieldOnTheScreenIsWhatTheWindowPaints_data() {
        QTest::addColumn<WindowDescription>("description");
        QTest::addColumn<Before>("before");
        QTest::newRow("main window") << Form1::describe() << Before::Nothing;
        QTest::newRow("pointer circles drawn before") << Form1::describe() << Before::Drawings;
        QTest::newRow("caption changed, not yet painted")
            << Form1::describe() << Before::CaptionChange;
        QTest::newRow("controls, line and shape past the client area")
            << withContentBeyondTheClientArea() << Before::Nothing;
    }
    // As the unload handler does it: maximize, draw the star field, with no turn of the event
    // loop in between, and the screen is looked at before any.
    void starFieldOnTheScreenIsWhatTheWindowPaints() {
        QFETCH(WindowDescription, description);
        QFETCH(Before, before);
        QCursor::setPos(0, 0); // no pointer over the window, no pointer trail
        LiveWindow window(description, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QSize normal = window.size();
        if (before == Before::Drawings)
            for (int x = 300; x < 7000; x += 900)
                window.Circle(float(x), 2000, 400);
        if (before == Before::CaptionChange)
            window.button("Command1").setText("Changed");

        window.setWindowStateValue(starFieldWindowState);
        QVERIFY(window.size().width() > normal.width() && window.size().height() > normal.height());
        window.setDrawWidth(starFieldPenWidth);
        XorshiftRandomSource source;
        drawStarField(window, source);
        QCOMPARE(differingFromPaint(window), 0);
        // Counted from here: the comparison's own grab paints the window too.
        PaintsCounted paints(window);

        int drawn = 0;
        const QImage& layer = window.drawingLayer();
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                drawn += qAlpha(layer.pixel(x, y)) != 0;
        QVERIFY2(drawn > 100000, qPrintable(QString::number(drawn)));

        // The paint held back during the change comes at a later turn of the event loop, and
        // leaves the screen as it was.
        QTRY_VERIFY_WITH_TIMEOUT(paints.count > 0, 5000);
        QCOMPARE(differingFromPaint(window), 0);
    }
};

QTEST_MAIN(DrawingEndToEnd)
#include "tst_e2e_drawing.moc"
