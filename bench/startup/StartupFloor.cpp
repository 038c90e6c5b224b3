// The floor of the start-up benchmark: a bare Qt window with ten identical buttons that ends on
// its first frame, printing the wall clock at that moment in microseconds (see FirstFrame.h). The
// main window's nine buttons come in six sizes; these ten share one, so this window is a bare Qt
// start, not the main window's buttons without QOR. With --stay it goes on until its window is
// closed, as the floor of the idle and close-box figures.

#include "bench/startup/FirstFrame.h"

#include <QApplication>
#include <QPushButton>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    const bool stay = argc > 1 && std::strcmp(argv[1], "--stay") == 0;
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(400, 300);
    for (int i = 0; i < 10; ++i) {
        auto* button = new QPushButton(QStringLiteral("Button %1").arg(i + 1), &window);
        button->setGeometry(8 + (i % 2) * 192, 8 + (i / 2) * 56, 184, 48);
    }
    window.show();
    std::unique_ptr<qor::bench::FirstFrame> firstFrame;
    if (!stay)
        firstFrame = std::make_unique<qor::bench::FirstFrame>(window.windowHandle());
    return QApplication::exec();
}
