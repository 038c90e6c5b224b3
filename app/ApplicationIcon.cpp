#include "app/ApplicationIcon.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

namespace qor {

QImage paintApplicationIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 128.0, size / 128.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(6, 6, 116, 116), 18, 18);

    QPen lens(QColor(0x33, 0xcc, 0xff), 11, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(lens);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(58, 58), 28, 32);
    painter.drawLine(QPointF(70, 80), QPointF(94, 104));

    painter.setPen(QPen(Qt::white, 3));
    painter.drawEllipse(QPointF(100, 30), 9, 9);

    struct Star {
        QRectF box;
        QColor colour;
    };
    const Star stars[] = {
        {{20, 98, 6, 6}, Qt::red},     {{36, 108, 5, 5}, Qt::yellow}, {{104, 58, 6, 6}, Qt::green},
        {{96, 76, 5, 5}, Qt::magenta}, {{22, 18, 5, 5}, Qt::cyan},    {{60, 108, 5, 5}, Qt::blue},
    };
    painter.setPen(Qt::NoPen);
    for (const Star& star : stars)
        painter.fillRect(star.box, star.colour);
    return image;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(paintApplicationIcon(size)));
    return icon;
}

void setApplicationIconOnceRunning() {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [] { QApplication::setWindowIcon(applicationIcon()); });
}

} // namespace qor
