#include "app/platform/launcher/DesktopProgramLauncher.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstddef>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace qor;
using namespace qor::test;

namespace {

// The launcher on a system that refuses pidfd_open, as kernels before 5.3 and some seccomp
// filters do: the whole test process runs under a filter that fails the call with ENOSYS.
bool denyPidfdOpen() {
#if defined(__x86_64__)
    const __u32 nativeArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    const __u32 nativeArchitecture = AUDIT_ARCH_AARCH64;
#else
#error "name this architecture's seccomp audit value"
#endif
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nativeArchitecture, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_open, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

bool filterInstalled = false;

} // namespace

class LauncherWithoutPidfdTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(filterInstalled, "the seccomp filter could not be installed");
        QCOMPARE(::syscall(SYS_pidfd_open, ::getpid(), 0), -1L);
        QCOMPARE(errno, ENOSYS);
        QVERIFY(bin_.isValid());
        // Each start appends its process id; lines this short are appended whole.
        QVERIFY(
            writeExecutable(bin_.filePath("quick"),
                            QStringLiteral("#!/bin/sh\necho $$ >> '%1/pids'\n").arg(bin_.path())));
        qputenv("PATH", (bin_.path() + u':' + qEnvironmentVariable("PATH")).toLocal8Bit());
    }

    void endedProgramsLeaveNoZombies() {
        const int launches = 50;
        DesktopProgramLauncher launcher;
        for (int i = 0; i < launches; ++i)
            launcher.start("quick", ShowStyle::Normal);
        QStringList pids;
        QTRY_VERIFY_WITH_TIMEOUT((pids = startedPids()).size() == launches, 20000);
        // A zombie keeps its /proc entry until its parent collects it.
        for (const QString& pid : pids)
            QTRY_VERIFY2_WITH_TIMEOUT(!QFile::exists("/proc/" + pid), qPrintable(pid), 10000);
    }

    // The launcher collects only the programs it started: a QProcess of the same program still
    // learns how its own child ended.
    void otherChildrenKeepTheirExitStatus() {
        DesktopProgramLauncher launcher;
        launcher.start("quick", ShowStyle::Normal);
        QProcess other;
        other.start("/bin/sh", {"-c", "sleep 0.2; exit 7"});
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitStatus(), QProcess::NormalExit);
        QCOMPARE(other.exitCode(), 7);
    }

private:
    QStringList startedPids() const {
        QFile file(bin_.filePath("pids"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir bin_;
};

int main(int argc, char** argv) {
    // Before any thread starts, so that every thread of the process runs under the filter.
    filterInstalled = denyPidfdOpen();
    QCoreApplication application(argc, argv);
    LauncherWithoutPidfdTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_launcher_withoutpidfd.moc"
