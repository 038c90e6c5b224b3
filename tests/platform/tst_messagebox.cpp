#include "app/platform/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace qor;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    Qt::WindowModality modality = Qt::NonModal;
};

// Waits for the modal box, notes what it shows, and closes it with Return as a user would.
void closeNextBoxWithReturn(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            closeNextBoxWithReturn(seen);
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.modality = box->windowModality();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove(u'&');
        QTest::keyClick(box, Qt::Key_Return);
    });
}

} // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT
private slots:
    void realBoxShowsPromptStyleAndTitle_data() {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<int>("icon");
        QTest::newRow("stop with a title") << "Did you get it right?" << 16 << "Lets See"
                                           << "Lets See"
                                           << "Did you get it right?" << int(QMessageBox::Critical);
        QTest::newRow("plain without a title") << "line one\r\nline two" << 0 << ""
                                               << "Application Title"
                                               << "line one\nline two" << int(QMessageBox::NoIcon);
    }
    void realBoxShowsPromptStyleAndTitle() {
        QFETCH(QString, prompt);
        QFETCH(int, style);
        QFETCH(QString, title);
        QFETCH(QString, shownTitle);
        QFETCH(QString, shownText);
        QFETCH(int, icon);
        QtMessageService messages("Application Title", [] { return false; });
        SeenBox seen;
        closeNextBoxWithReturn(seen);
        messages.show(prompt, MessageStyle(style), title);
        QCOMPARE(seen.title, shownTitle);
        QCOMPARE(seen.text, shownText);
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons, QStringList{"OK"});
        QCOMPARE(seen.modality, Qt::ApplicationModal);
    }

    void boxClosedAfterTheProgramEndedStopsTheHandler() {
        bool ended = false;
        QtMessageService messages("QOR", [&] { return ended; });
        SeenBox seen;
        QTimer::singleShot(0, [&] { ended = true; });
        closeNextBoxWithReturn(seen);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, messages.show("x", MessageStyle::Ok));
    }
};

QTEST_MAIN(MessageBoxTest)
#include "tst_messagebox.moc"
