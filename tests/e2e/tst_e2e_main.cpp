#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

const QPoint notePad = centreOf(WindowName::Form1, "Command5");
const QPoint winPopUp = centreOf(WindowName::Form1, "Command2");

} // namespace

class MainWindowEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void appearsCentredWithItsCaption() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY2(window, "the main window did not appear");
        const QRect client = QorProcess::clientArea(window);
        QCOMPARE(client.size(), clientSizeOf(WindowName::Form1));
        // openbox's frame is 1, 20, 1 and 5 pixels (left, top, right, bottom).
        const QRect frame = client.adjusted(-1, -20, 1, 5);
        QVERIFY2((frame.center() - QPoint(639, 511)).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("frame centre %1,%2")
                                .arg(frame.center().x())
                                .arg(frame.center().y())));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    void notePadStartsTheProgramFoundOnPath() {
        QTemporaryDir bin;
        const QString marker = bin.filePath("started");
        QFile script(bin.filePath("notepad"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(marker).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", bin.path() + ":" + environment.value("PATH"));
        QorProcess qor(environment);
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY(window);
        QorProcess::click(window, notePad);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QVERIFY(qor.running());
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    void winPopUpReportsTheMissingProgramAndGoesOn() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY(window);
        QorProcess::click(window, winPopUp);
        const qulonglong box = qor.waitForWindow("QOR");
        QVERIFY2(box, "no failure message");
        QorProcess::activate(box);
        QorProcess::key("Return");
        QVERIFY(qor.waitForWindowGone("QOR"));
        QVERIFY(qor.running());
        QVERIFY(qor.waitForWindow(mainTitle, 2000));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    void closeBoxEndsTheProgram() {
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY(qor.waitForWindow(mainTitle));
        run("wmctrl", {"-c", mainTitle});
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }

    void sigtermEndsTheProgram() {
        QorProcess qor;
        QVERIFY(qor.start());
        QVERIFY(qor.waitForWindow(mainTitle));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit(30000));
        QCOMPARE(qor.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(MainWindowEndToEnd)
#include "tst_e2e_main.moc"
