// Times the star field as the main window's unload draws it: every dot written into the drawing
// layer and put on the screen before the next is made, on the maximized window. The floor makes
// the same 16500 dots from the same sequence and writes them into an image of the same size,
// with nothing shown. The ratio of the two medians is the figure the goal names (at most 5).
// With --raw it prints only one line per run: the star field's and the floor's milliseconds.

#include "ui/LiveWindow.h"
#include "windows/main/DrawingEffects.h"
#include "windows/main/Form1.h"
#include "windows/main/StarField.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

using namespace qor;

namespace {

constexpr int runs = 7;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The same dots and the same 4-pixel squares as the window's layer gets, into a plain image.
void drawFloor(QImage& image) {
    XorshiftRandomSource source;
    StarField field(source);
    const QRect bounds = image.rect();
    while (const auto dot = field.next()) {
        const int left = int(std::floor(dot->x / twipsPerPixel - 1.5f));
        const int top = int(std::floor(dot->y / twipsPerPixel - 1.5f));
        const QRect square = QRect(left, top, starFieldPenWidth, starFieldPenWidth) & bounds;
        if (square.isEmpty())
            continue;
        const QRgb rgb =
            sixteenColourPalette[std::size_t(dot->colourIndex)].resolve(QPalette()).rgba();
        for (int row = square.top(); row <= square.bottom(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
            std::fill(line + square.left(), line + square.right() + 1, rgb);
        }
    }
}

void settle(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool raw = argc > 1 && std::strcmp(argv[1], "--raw") == 0;

    LiveWindow window(Form1::describe(), nullptr);
    window.show();
    const QDeadlineTimer exposed(5000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !exposed.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    settle(300);

    QElapsedTimer clock;
    clock.start();
    window.setWindowStateValue(starFieldWindowState);
    const double maximizeMs = double(clock.nsecsElapsed()) / 1e6;
    const QSize grantedAtOnce = window.size();
    window.setDrawWidth(starFieldPenWidth);
    settle(300);

    std::vector<double> starField, starFieldCpu, floorTimes;
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (int run = 0; run < runs; ++run) {
        XorshiftRandomSource source;
        const std::clock_t cpuStart = std::clock();
        clock.restart();
        drawStarField(window, source);
        QGuiApplication::sync();
        starField.push_back(double(clock.nsecsElapsed()) / 1e6);
        starFieldCpu.push_back(double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);

        image.fill(Qt::transparent);
        clock.restart();
        drawFloor(image);
        floorTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
        settle(50);
    }

    if (raw) {
        for (int run = 0; run < runs; ++run)
            std::printf("%.3f %.3f\n", starField[std::size_t(run)], floorTimes[std::size_t(run)]);
        return 0;
    }
    const double fieldMs = median(starField), floorMs = median(floorTimes);
    std::printf("platform %s: maximized in %.1f ms to %dx%d, settled at %dx%d\n",
                qPrintable(QGuiApplication::platformName()), maximizeMs, grantedAtOnce.width(),
                grantedAtOnce.height(), window.width(), window.height());
    // The display server's share of the work is in the elapsed time only; on a busy machine the
    // processor time of this process alone is the steadier figure.
    std::printf("star field, every dot shown: %.2f ms (median of %d; %.2f ms processor time)\n",
                fieldMs, runs, median(starFieldCpu));
    std::printf("floor, dots into an image:   %.2f ms (median of %d)\n", floorMs, runs);
    std::printf("ratio %.1fx (goal: at most 5x)\n", fieldMs / floorMs);
    return 0;
}
