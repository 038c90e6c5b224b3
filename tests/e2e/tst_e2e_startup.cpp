#include "support/TestFiles.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace qor;
using namespace qor::test;

namespace {

const QPoint notePad = centreOf(WindowName::Form1, "Command5");
const QPoint winPopUp = centreOf(WindowName::Form1, "Command2");

// The environment of a machine with no display server at all.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    return environment;
}

// What the program printed on standard error, without the Wayland protocol trace of
// WAYLAND_DEBUG (every trace line starts with a bracketed timestamp).
QByteArray withoutProtocolTrace(const QByteArray& err) {
    QByteArray kept;
    for (const QByteArray& line : err.split('\n'))
        if (!line.startsWith('['))
            kept += line + '\n';
    return kept;
}

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

Finished runQor(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QOR_BINARY), arguments);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class StartupEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void commandLineWorksWithoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: qor [options]\n"
                                << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "-h, --help"
                            << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "qor 1.5.0.0\n"
                                   << "";
        QTest::newRow("-v") << QStringList{"-v"} << 0 << "qor 1.5.0.0\n"
                            << "";
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << 2 << ""
            << "qor: Unknown option 'frobnicate'.\nUsage: qor [options]\n";
        QTest::newRow("no display") << QStringList{} << 1 << ""
                                    << "qor: no display.";
    }
    void commandLineWorksWithoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Finished run = runQor(arguments, withoutDisplay());
        QCOMPARE(run.status, status);
        QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.contains(out), qPrintable(run.out));
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
    }

    void unreachableXServerIsNamedInQorsOwnMessage() {
        QProcessEnvironment environment = withoutDisplay();
        environment.insert("DISPLAY", ":4242");
        const Finished run = runQor({}, environment);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("qor: cannot open a window: the X server :4242 cannot be "
                                    "reached, and no Wayland session is set"),
                 qPrintable(run.err));
    }

    // Qt's own -display option chooses the X server when DISPLAY names none.
    void displayOptionReachesQt() {
        QorProcess qor(withoutDisplay());
        QVERIFY(qor.start({"-display", qEnvironmentVariable("DISPLAY")}));
        QVERIFY2(qor.waitForWindow(mainTitle), "no main window on the -display server");
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
        QCOMPARE(qor.exitCode(), 0);
    }

    // On a Wayland session QOR runs through XWayland, but a program it starts must be free to
    // choose its own backend: it gets the environment QOR was started with.
    void startedProgramsGetTheOriginalEnvironment() {
        QTemporaryDir bin;
        const QString record = bin.filePath("environment");
        QVERIFY(writeExecutable(bin.filePath("notepad"),
                                QStringLiteral("#!/bin/sh\nenv > '%1'\n").arg(record)));
        QProcessEnvironment environment = withFirstOnPath(bin.path());
        environment.insert("WAYLAND_DISPLAY", "wayland-qor-test");
        QorProcess qor(environment);
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY2(window, "the main window did not appear through the X server");
        QorProcess::click(window, notePad);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record) && QFile(record).size() > 0, 10000);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(u'\n');
        QVERIFY(lines.contains("WAYLAND_DISPLAY=wayland-qor-test"));
        QVERIFY(lines.contains("DISPLAY=" + qEnvironmentVariable("DISPLAY")));
        QVERIFY2(lines.filter(QRegularExpression("^QT_QPA_PLATFORM=")).isEmpty(),
                 qPrintable(lines.filter("QT_QPA").join(", ")));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }

    // Without an X server QOR runs on a Wayland compositor (a headless weston here), says once
    // that its windows cannot place themselves, and opens its main window there.
    void runsOnWaylandWhenNoXServerAnswers() {
        QVERIFY2(!QStandardPaths::findExecutable("weston").isEmpty(),
                 "weston is not installed: bash scripts/setup.sh test installs it");
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        QProcessEnvironment environment = withoutDisplay();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess weston;
        weston.setProcessEnvironment(environment);
        weston.start("weston", {"--backend=headless-backend.so", "--socket=wayland-qor",
                                "--idle-time=0", "--shell=desktop-shell.so"});
        QVERIFY(weston.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath("wayland-qor")), 10000);

        environment.insert("WAYLAND_DISPLAY", "wayland-qor");
        environment.insert("DISPLAY", ":4242");
        // The client's side of the protocol goes to standard error, window titles included.
        environment.insert("WAYLAND_DEBUG", "client");
        QProcess qor;
        qor.setProcessEnvironment(environment);
        qor.start(QStringLiteral(QOR_BINARY), {});
        QVERIFY(qor.waitForStarted());
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += qor.readAllStandardError())
                                     .contains("set_title(\"" + mainTitle.toUtf8() + "\")"),
                                 15000);
        QCOMPARE(qor.state(), QProcess::Running);
        ::kill(qor.processId(), SIGTERM);
        QVERIFY(qor.waitForFinished(10000));
        err += qor.readAllStandardError();
        QCOMPARE(qor.exitStatus(), QProcess::NormalExit);
        QVERIFY2(qor.exitCode() == 0, withoutProtocolTrace(err).constData());
        QCOMPARE(err.count("windows cannot place themselves"), 1);
        weston.terminate();
        QVERIFY(weston.waitForFinished(10000));
    }

    void everyWindowShowsTheApplicationIcon() {
        QorProcess qor;
        QVERIFY(qor.start());
        const qulonglong window = qor.waitForWindow(mainTitle);
        QVERIFY(window);
        QorProcess::click(window, winPopUp);
        const qulonglong box = qor.waitForWindow("QOR");
        QVERIFY2(box, "no failure message");
        for (qulonglong id : {window, box}) {
            const QString icon = run("xprop", {"-id", QString::number(id), "_NET_WM_ICON"});
            for (const char* size : {"Icon (16 x 16)", "Icon (32 x 32)", "Icon (64 x 64)"})
                QVERIFY2(icon.contains(size), qPrintable(icon.left(200)));
        }
        QorProcess::activate(box);
        QorProcess::key("Return");
        QVERIFY(qor.waitForWindowGone("QOR"));
        qor.signal(SIGTERM);
        QVERIFY(qor.waitForExit());
    }
};

QTEST_GUILESS_MAIN(StartupEndToEnd)
#include "tst_e2e_startup.moc"
