#include "ui/x11/ZeroedImage.h"

#include <QPainter>
#include <QTest>

using namespace qor;

// The drawing layer's memory: zero from the start, laid out as QImage lays out its own, and kept
// for as long as any copy of the image lives.
class ZeroedImageTest : public QObject {
    Q_OBJECT
private slots:
    void startsTransparentAndPaintsLikeAnImageOfItsOwn_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("one pixel") << QSize(1, 1) << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("a maximized window")
            << QSize(1280, 1005) << QImage::Format_ARGB32_Premultiplied;
        // Three bytes a pixel: scan lines padded to 32 bits.
        QTest::newRow("odd width, 24-bit pixels") << QSize(333, 7) << QImage::Format_RGB888;
        QTest::newRow("beyond one huge page")
            << QSize(1024, 1025) << QImage::Format_ARGB32_Premultiplied;
    }
    void startsTransparentAndPaintsLikeAnImageOfItsOwn() {
        QFETCH(QSize, size);
        QFETCH(QImage::Format, format);
        QImage zeroed = zeroedImage(size, format);
        QCOMPARE(zeroed.size(), size);
        QCOMPARE(zeroed.format(), format);
        QImage reference(size, format);
        QCOMPARE(zeroed.bytesPerLine(), reference.bytesPerLine());
        reference.fill(0);
        QCOMPARE(zeroed, reference);

        for (QImage* image : {&zeroed, &reference}) {
            QPainter painter(image);
            painter.fillRect(QRect(QPoint(0, 0), size).adjusted(0, size.height() / 2, 0, 0),
                             Qt::red);
            painter.drawLine(QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1));
        }
        QCOMPARE(zeroed, reference);
    }

    void aCopyOutlivesTheOriginal() {
        QImage copy;
        {
            QImage zeroed = zeroedImage(QSize(64, 64), QImage::Format_ARGB32_Premultiplied);
            zeroed.setPixel(63, 63, 0xFF00FF00);
            copy = zeroed;
        }
        QCOMPARE(copy.pixel(63, 63), 0xFF00FF00u);
        QCOMPARE(copy.pixel(0, 0), 0u);
    }

    void nothingForAnEmptySize() {
        QVERIFY(zeroedImage(QSize(0, 10), QImage::Format_ARGB32_Premultiplied).isNull());
        QVERIFY(zeroedImage(QSize(10, -1), QImage::Format_ARGB32_Premultiplied).isNull());
    }
};

QTEST_MAIN(ZeroedImageTest)
#include "tst_zeroedimage.moc"
