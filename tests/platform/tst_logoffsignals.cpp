#include "app/platform/LogOffSignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

using namespace qor;

namespace {

// Each case runs in a child process, this same program started again with the case in
// childCaseVariable: a fault here hangs or kills the process, and the test has to outlive it.
const char childCaseVariable[] = "QOR_LOGOFF_SIGNALS_CASE";
const int logOffSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Raises signals on the calling thread, which handles each one before raise returns; fails
// when a handler leaves errno changed.
bool raiseSignals(int count) {
    for (int i = 0; i < count; ++i) {
        errno = EDOM;
        std::raise(logOffSignals[i % 3]);
        if (errno != EDOM) {
            std::printf("errno changed by a signal handler: %s\n", std::strerror(errno));
            return false;
        }
    }
    return true;
}

// The log-off raises more signals and runs a nested event loop, as an unload handler that shows a
// box does; after the program has torn down, late signals arrive. Prints the number of log-offs.
int runChild(int argc, char** argv, const QByteArray& childCase) {
    int logOffs = 0;
    {
        QCoreApplication application(argc, argv);
        LogOffSignals logOff([&] {
            ++logOffs;
            raiseSignals(10);
            QEventLoop box;
            QTimer::singleShot(100, &box, &QEventLoop::quit);
            box.exec();
            QCoreApplication::quit();
        });
        std::printf("ready\n");
        std::fflush(stdout);
        // The main thread is held away from the event loop while the signals arrive.
        if (childCase == "raised") {
            if (!raiseSignals(5000))
                return 3;
        } else {
            while (std::getchar() != EOF) {
            }
            std::raise(SIGTERM);
        }
        QCoreApplication::exec();
    }
    if (!raiseSignals(30))
        return 3;
    std::printf("log-offs: %d\n", logOffs);
    return 0;
}

} // namespace

class LogOffSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void aStormOfSignalsEndsTheProgramCleanly_data() {
        QTest::addColumn<QByteArray>("childCase");
        QTest::addColumn<int>("sentFromOutside");
        QTest::newRow("one signal") << QByteArray("sent") << 1;
        QTest::newRow("raised on the busy thread") << QByteArray("raised") << 0;
        QTest::newRow("sent by another process") << QByteArray("sent") << 5000;
    }
    void aStormOfSignalsEndsTheProgramCleanly() {
        QFETCH(QByteArray, childCase);
        QFETCH(int, sentFromOutside);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(childCaseVariable, childCase);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(30000));
        QCOMPARE(child.readLine(), QByteArray("ready\n"));
        for (int i = 0; i < sentFromOutside; ++i)
            ::kill(pid_t(child.processId()), logOffSignals[i % 3]);
        child.closeWriteChannel();
        if (!child.waitForFinished(30000)) {
            child.kill();
            child.waitForFinished();
            QFAIL("the program hung under the signals");
        }
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        const QByteArray output = child.readAllStandardOutput();
        QVERIFY2(child.exitCode() == 0, output.constData());
        // Every signal that arrived during the log-off was ignored.
        QCOMPARE(output, QByteArray("log-offs: 1\n"));
    }
};

int main(int argc, char** argv) {
    const QByteArray childCase = qgetenv(childCaseVariable);
    if (!childCase.isEmpty())
        return runChild(argc, argv, childCase);
    QCoreApplication application(argc, argv);
    LogOffSignalsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_logoffsignals.moc"
