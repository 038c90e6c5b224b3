#include "base/Failure.h"
#include "ui/Controls.h"

#include <QImage>
#include <QTest>
#include <QWidget>

using namespace qor;

// A picture box shows its picture's top-left corner, as much of it as the box holds, however
// often the box changes size, and refuses a picture it cannot read when it is made.
class PictureBoxTest : public QObject {
    Q_OBJECT
private slots:
    void showsAsMuchOfTheCornerAsItsBoxHolds_data() {
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::newRow("the main window's box") << QList<QSize>{{249, 177}};
        QTest::newRow("grown") << QList<QSize>{{249, 177}, {500, 300}};
        QTest::newRow("shrunk, then grown past the picture")
            << QList<QSize>{{120, 80}, {40, 30}, {1200, 700}};
    }
    void showsAsMuchOfTheCornerAsItsBoxHolds() {
        QFETCH(QList<QSize>, sizes);
        const QString path = QStringLiteral(":/pictures/main_logo.bmp");
        QWidget window;
        auto* box = new PictureBox(path, &window);
        window.resize(1300, 800);
        const QImage whole(path);
        for (const QSize size : sizes) {
            box->resize(size);
            const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRect part(QPoint(0, 0), size.boundedTo(whole.size()));
            QCOMPARE(shown.copy(part), whole.copy(part).convertToFormat(QImage::Format_RGB32));
        }
    }

    void aPictureThatCannotBeReadFailsTheLoad() {
        QWidget window;
        try {
            PictureBox box(QStringLiteral(":/pictures/missing.bmp"), &window);
            QFAIL("a missing picture was accepted");
        } catch (const Failure& failure) {
            QVERIFY2(failure.text().contains("Cannot load the picture"), failure.what());
        }
    }
};

QTEST_MAIN(PictureBoxTest)
#include "tst_picturebox.moc"
