#include "support/TestFiles.h"
#include "ui/PictureReader.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;
using namespace qor::test;

// The corner that a picture box reads must be exactly what Qt's own reader gives for that part
// of the whole picture.
class PictureReaderTest : public QObject {
    Q_OBJECT
private slots:

    void cornerIsThatPartOfTheWholePicture_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("expected");
        const QString logo = ":/pictures/main_logo.bmp";
        QTest::newRow("main window's box") << logo << QSize(249, 177) << QSize(249, 177);
        QTest::newRow("one row") << logo << QSize(961, 1) << QSize(961, 1);
        QTest::newRow("one column, last row") << logo << QSize(1, 600) << QSize(1, 600);
        QTest::newRow("larger than the picture") << logo << QSize(2000, 700) << QSize(961, 600);
        QTest::newRow("about") << ":/pictures/about.bmp" << QSize(430, 120) << QSize(430, 120);
        QTest::newRow("splash") << ":/pictures/splash.bmp" << QSize(483, 151) << QSize(483, 151);
    }
    void cornerIsThatPartOfTheWholePicture() {
        QFETCH(QString, path);
        QFETCH(QSize, box);
        QFETCH(QSize, expected);
        const QImage whole(path);
        QVERIFY(!whole.isNull());
        const std::optional<PictureCorner> corner = readPictureCorner(path, box);
        QVERIFY(corner);
        QCOMPARE(corner->whole, whole.size());
        QCOMPARE(corner->pixels.size(), expected);
        QCOMPARE(corner->pixels, whole.copy(QRect(QPoint(0, 0), expected)));
        QCOMPARE(readPictureSize(path), std::optional(whole.size()));
    }

    // Pictures that are not compiled-in bitmaps are read by Qt and cut down the same way.
    void otherPicturesAreReadWhole() {
        QTemporaryDir folder;
        QImage picture(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 6, y * 8, 90));
        const QString path = folder.filePath("picture.png");
        QVERIFY(picture.save(path));
        const std::optional<PictureCorner> corner = readPictureCorner(path, QSize(10, 50));
        QVERIFY(corner);
        QCOMPARE(corner->whole, QSize(40, 30));
        QCOMPARE(corner->pixels, picture.copy(0, 0, 10, 30));
        QCOMPARE(readPictureSize(path), std::optional(QSize(40, 30)));
    }

    void unreadablePicturesGiveNothing_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("BM but nothing more");
    }
    void unreadablePicturesGiveNothing() {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath("picture.bmp");
        if (!content.isEmpty())
            QVERIFY(writeFile(path, content));
        QVERIFY(!readPictureCorner(path, QSize(10, 10)));
        QVERIFY(!readPictureSize(path));
    }
};

QTEST_GUILESS_MAIN(PictureReaderTest)
#include "tst_picturereader.moc"
