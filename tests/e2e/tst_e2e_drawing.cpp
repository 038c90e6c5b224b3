#include "windows/main/DrawingEffects.h"
#include "windows/main/Form1.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace qor;

// The main window's drawing on the real X server: what reaches the screen, dot by dot, past the
// toolkit's own painting, must be exactly what the window paints.
class DrawingEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void starFieldOnTheScreenIsWhatTheWindowPaints() {
        QCursor::setPos(0, 0); // no pointer over the window, no pointer trail
        LiveWindow window(Form1::describe(), nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.setWindowStateValue(starFieldWindowState);
        QTRY_VERIFY(window.windowHandle()->isExposed());
        const QSize maximized = window.size();
        window.setDrawWidth(starFieldPenWidth);
        XorshiftRandomSource source;
        drawStarField(window, source);
        QGuiApplication::sync();
        const QImage onScreen = window.screen()
                                    ->grabWindow(window.winId())
                                    .toImage()
                                    .convertToFormat(QImage::Format_RGB32);
        // The window's own paint of everything, controls and drawing layer included.
        const QImage painted = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(window.size(), maximized);
        QCOMPARE(onScreen.size(), painted.size());
        int differing = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                differing += onScreen.pixel(x, y) != painted.pixel(x, y);
        QCOMPARE(differing, 0);
        int drawn = 0;
        const QImage& layer = window.drawingLayer();
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                drawn += qAlpha(layer.pixel(x, y)) != 0;
        QVERIFY2(drawn > 100000, qPrintable(QString::number(drawn)));
    }
};

QTEST_MAIN(DrawingEndToEnd)
#include "tst_e2e_drawing.moc"
