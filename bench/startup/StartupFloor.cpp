// The floor of the start-up benchmark: a bare Qt window with ten buttons that ends on its first
// frame, printing the wall clock at that moment in microseconds (see FirstFrame.h).

#include "bench/startup/FirstFrame.h"

#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(400, 300);
    for (int i = 0; i < 10; ++i) {
        auto* button = new QPushButton(QStringLiteral("Button %1").arg(i + 1), &window);
        button->setGeometry(8 + (i % 2) * 192, 8 + (i / 2) * 56, 184, 48);
    }
    window.show();
    qor::bench::FirstFrame firstFrame(window.windowHandle());
    return QApplication::exec();
}
