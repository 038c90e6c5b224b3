#include <QColor>
#include <QFile>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int headerSize = 14 + 40;
constexpr int pictureWidth = 961;
constexpr int pictureHeight = 600;
constexpr int rowSize = (pictureWidth * 3 + 3) / 4 * 4;

// Reads the two headers of a 24-bit BMP as stored, and its pixels in top-down coordinates.
struct Bmp {
    QByteArray bytes;

    quint16 u16(int offset) const { return qFromLittleEndian<quint16>(bytes.constData() + offset); }
    quint32 u32(int offset) const { return qFromLittleEndian<quint32>(bytes.constData() + offset); }
    qint32 i32(int offset) const { return qFromLittleEndian<qint32>(bytes.constData() + offset); }

    QByteArray magic() const { return bytes.left(2); }
    quint32 fileSize() const { return u32(2); }
    quint32 pixelOffset() const { return u32(10); }
    quint32 infoHeaderSize() const { return u32(14); }
    qint32 width() const { return i32(18); }
    qint32 height() const { return i32(22); }
    quint16 planes() const { return u16(26); }
    quint16 bitsPerPixel() const { return u16(28); }
    quint32 compression() const { return u32(30); }
    qint32 pixelsPerMetreX() const { return i32(38); }
    qint32 pixelsPerMetreY() const { return i32(42); }

    // Rows are stored bottom-up, so row y from the top is row (height - 1 - y) in the file.
    QRgb pixel(int x, int y) const {
        const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + headerSize +
                        (pictureHeight - 1 - y) * rowSize + 3 * x;
        return qRgb(p[2], p[1], p[0]);
    }

    // The smallest rectangle holding every pixel whose colour differs from `background`.
    QRect extentOfAllBut(QRgb background, const QRect& within) const {
        QRect extent;
        for (int y = within.top(); y <= within.bottom(); ++y)
            for (int x = within.left(); x <= within.right(); ++x)
                if (pixel(x, y) != background)
                    extent |= QRect(x, y, 1, 1);
        return extent;
    }
};

Bmp readBmp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {file.readAll()};
}

Bmp readPicture(const QString& name) {
    return readBmp(QStringLiteral(":/pictures/") + name);
}

const QRect wholePicture(0, 0, pictureWidth, pictureHeight);
const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:

    void header_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("main logo") << "main_logo.bmp";
        QTest::newRow("about") << "about.bmp";
        QTest::newRow("splash") << "splash.bmp";
    }
    void header() {
        QFETCH(QString, name);
        const Bmp bmp = readPicture(name);
        QCOMPARE(bmp.bytes.size(), headerSize + rowSize * pictureHeight);
        QCOMPARE(bmp.magic(), QByteArray("BM"));
        QCOMPARE(bmp.fileSize(), quint32(bmp.bytes.size()));
        QCOMPARE(bmp.pixelOffset(), quint32(headerSize));
        QCOMPARE(bmp.infoHeaderSize(), 40u);
        QCOMPARE(bmp.width(), pictureWidth);
        QCOMPARE(bmp.height(), pictureHeight);
        QCOMPARE(bmp.planes(), quint16(1));
        QCOMPARE(bmp.bitsPerPixel(), quint16(24));
        QCOMPARE(bmp.compression(), 0u);
        QCOMPARE(bmp.pixelsPerMetreX(), 3780);
        QCOMPARE(bmp.pixelsPerMetreY(), 3780);
    }

    void mainLogoHasExactlyFourColours() {
        const Bmp bmp = readPicture("main_logo.bmp");
        QSet<QRgb> colours;
        for (int y = 0; y < pictureHeight; ++y)
            for (int x = 0; x < pictureWidth; ++x)
                colours.insert(bmp.pixel(x, y));
        const QSet<QRgb> expected{white, black, qRgb(51, 204, 255), qRgb(0, 0, 153)};
        QCOMPARE(colours, expected);
    }

    void mainLogoPanelFillsTopLeftCorner() {
        const Bmp bmp = readPicture("main_logo.bmp");
        const QRect panel(0, 0, 246, 193);
        QCOMPARE(bmp.extentOfAllBut(white, wholePicture), panel);
        for (const QPoint corner :
             {panel.topLeft(), panel.topRight(), panel.bottomLeft(), panel.bottomRight()})
            QCOMPARE(bmp.pixel(corner.x(), corner.y()), black);
        for (int y = 0; y < panel.height(); ++y)
            for (int x = 0; x < panel.width(); ++x)
                if (bmp.pixel(x, y) == white)
                    QFAIL(qPrintable(QString("white inside the panel at %1,%2").arg(x).arg(y)));
    }

    void mainLogoWordCoversItsBox() {
        const Bmp bmp = readPicture("main_logo.bmp");
        const QRect panel(0, 0, 246, 193);
        QCOMPARE(bmp.extentOfAllBut(black, panel), QRect(QPoint(36, 53), QPoint(187, 156)));
    }

    void bannerGround_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("banner");
        QTest::addColumn<QRgb>("ground");
        QTest::addColumn<QList<QPoint>>("groundSamples");
        QTest::newRow("about") << "about.bmp" << QSize(430, 120) << qRgb(0, 0, 255)
                               << QList<QPoint>{{2, 2}, {200, 4}, {2, 115}, {215, 116}, {420, 60}};
        QTest::newRow("splash") << "splash.bmp" << QSize(483, 151) << qRgb(128, 0, 128)
                                << QList<QPoint>{{6, 140}, {100, 120}, {470, 120}, {200, 135}};
    }
    void bannerGround() {
        QFETCH(QString, name);
        QFETCH(QSize, banner);
        QFETCH(QRgb, ground);
        QFETCH(QList<QPoint>, groundSamples);
        const Bmp bmp = readPicture(name);
        QCOMPARE(bmp.extentOfAllBut(white, wholePicture), QRect(QPoint(0, 0), banner));
        for (const QPoint p : groundSamples)
            QCOMPARE(QColor(bmp.pixel(p.x(), p.y())), QColor(ground));
        for (const QPoint p :
             {QPoint(banner.width(), 0), QPoint(banner.width(), banner.height() / 2),
              QPoint(0, banner.height()), QPoint(banner.width() / 2, banner.height())})
            QCOMPARE(QColor(bmp.pixel(p.x(), p.y())), QColor(white));
    }

    void aboutBannerIsRoundedOnTheRightOnly() {
        const Bmp bmp = readPicture("about.bmp");
        const QRgb blue = qRgb(0, 0, 255);
        QCOMPARE(bmp.pixel(0, 0), blue);
        QCOMPARE(bmp.pixel(0, 119), blue);
        QCOMPARE(bmp.pixel(429, 0), white);
        QCOMPARE(bmp.pixel(429, 119), white);
        QCOMPARE(bmp.pixel(429, 60), blue);
    }

    void splashBannerHasBlackEdge() {
        const Bmp bmp = readPicture("splash.bmp");
        for (const QPoint p : {QPoint(0, 0), QPoint(482, 0), QPoint(0, 150), QPoint(482, 150),
                               QPoint(241, 0), QPoint(0, 75), QPoint(482, 120), QPoint(100, 150)})
            QCOMPARE(QColor(bmp.pixel(p.x(), p.y())), QColor(black));
    }

    void painterReproducesCommittedPictures() {
        const QString painter = QStringLiteral(QOR_BUILD_DIR "/assets/qor_paint_pictures");
        QVERIFY2(QFile::exists(painter), "build the qor_paint_pictures target first");
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess process;
        process.start(painter, {out.path()});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        for (const QString name : {"main_logo.bmp", "about.bmp", "splash.bmp"}) {
            const QByteArray painted = readBmp(out.filePath(name)).bytes;
            const QByteArray committed =
                readBmp(QStringLiteral(QOR_SOURCE_DIR "/assets/") + name).bytes;
            QVERIFY2(!committed.isEmpty(), qPrintable(name));
            QVERIFY2(painted == committed, qPrintable(name + " differs from the committed file"));
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
