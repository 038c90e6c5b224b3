// The data source dialog's time to filled lists against a bare loop over the driver manager.
//
//   qor_bench_datasource [--raw] COUNT [ROUNDS]
//
// Writes COUNT system data sources into a private unixODBC configuration, then in each round
// times the dialog from the command that shows it to its lists filled (the window built, both
// lists filled by the load handler through the real unixODBC), and, as the floor, a bare loop
// that loads nothing and calls SQLAllocEnv, SQLDataSources until it reports no more data, and
// SQLFreeEnv. One round of each first is not counted. With --raw it prints one line per round:
// the dialog's and the floor's milliseconds.

#include "app/Dispatcher.h"
#include "app/Services.h"
#include "app/WindowRegistry.h"
#include "app/platform/PlatformSlideAwaySurfaceSource.h"
#include "app/platform/QtKeystrokeService.h"
#include "app/platform/QtMessageService.h"
#include "app/platform/QtScreenInfo.h"
#include "app/platform/UnixOdbcDriverManager.h"
#include "app/platform/launcher/DesktopProgramLauncher.h"
#include "ui/LiveWindow.h"
#include "windows/AllWindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <vector>

using namespace qor;

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool writeConfiguration(const QString& folder, int count) {
    QFile system(folder + "/odbc.ini");
    if (!system.open(QIODevice::WriteOnly))
        return false;
    for (int i = 1; i <= count; ++i)
        system.write(QStringLiteral("[Source%1]\nDriver=Driver%2\nServer=host%1\n\n")
                         .arg(i, 4, 10, QChar('0'))
                         .arg(i % 7)
                         .toUtf8());
    QFile user(folder + "/user.ini");
    return user.open(QIODevice::WriteOnly);
}

// The floor: what any program listing the data sources must do, and nothing more.
class BareLoop {
public:
    BareLoop() : library(dlopen("libodbc.so.2", RTLD_NOW)) {
        if (!library)
            return;
        allocEnv = reinterpret_cast<AllocEnv>(dlsym(library, "SQLAllocEnv"));
        dataSources = reinterpret_cast<DataSources>(dlsym(library, "SQLDataSources"));
        freeEnv = reinterpret_cast<FreeEnv>(dlsym(library, "SQLFreeEnv"));
    }
    bool usable() const { return allocEnv && dataSources && freeEnv; }
    int list() {
        void* environment = nullptr;
        if (allocEnv(&environment) != 0)
            return -1;
        unsigned char name[1024], description[1024];
        short nameLength = 0, descriptionLength = 0;
        int count = 0;
        // SQL_FETCH_NEXT (1) until SQL_NO_DATA (100).
        while (dataSources(environment, 1, name, sizeof name, &nameLength, description,
                           sizeof description, &descriptionLength) != 100)
            ++count;
        freeEnv(environment);
        return count;
    }

private:
    using AllocEnv = short (*)(void**);
    using DataSources = short (*)(void*, unsigned short, unsigned char*, short, short*,
                                  unsigned char*, short, short*);
    using FreeEnv = short (*)(void*);
    void* library;
    AllocEnv allocEnv = nullptr;
    DataSources dataSources = nullptr;
    FreeEnv freeEnv = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    int next = 1;
    const bool raw = argc > next && std::strcmp(argv[next], "--raw") == 0;
    next += raw;
    const int count = argc > next ? std::atoi(argv[next]) : 0;
    const int rounds = argc > next + 1 ? std::atoi(argv[next + 1]) : 9;
    if (count < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: %s [--raw] COUNT [ROUNDS]\n", argv[0]);
        return 2;
    }
    QTemporaryDir folder;
    if (!folder.isValid() || !writeConfiguration(folder.path(), count)) {
        std::fprintf(stderr, "%s: cannot write the configuration\n", argv[0]);
        return 1;
    }
    // unixODBC fixes its system folder on first use, so the configuration is set before any.
    qputenv("ODBCSYSINI", folder.path().toLocal8Bit());
    qputenv("ODBCINI", (folder.path() + "/user.ini").toLocal8Bit());
    qunsetenv("ODBCSEARCH");

    QApplication application(argc, argv);
    DesktopProgramLauncher launcher;
    QtKeystrokeService keystrokes;
    QtScreenInfo screen;
    QtMessageService messages(QStringLiteral("QOR"), [] { return false; });
    PlatformSlideAwaySurfaceSource slideAway(screen);
    UnixOdbcDriverManager driverManager;
    Services services{launcher, messages, keystrokes, screen, driverManager, slideAway};
    WindowRegistry registry(allWindowTypes(), services, [](int) {});
    Dispatcher& dispatcher = registry.dispatcher();
    BareLoop floor;
    if (!floor.usable() || floor.list() != count) {
        std::fprintf(stderr, "%s: unixODBC does not list the %d data sources\n", argv[0], count);
        return 1;
    }

    // The main window stays loaded, as in the program: unloading the last window would end it.
    dispatcher.run([&] { registry.Show(WindowName::Form1); });
    std::vector<double> dialog, bare;
    QElapsedTimer clock;
    for (int round = 0; round <= rounds; ++round) {
        clock.start();
        dispatcher.run([&] { registry.Show(WindowName::frmODBCLogon); });
        const double shown = double(clock.nsecsElapsed()) / 1e6;
        LiveWindow* window = registry.window(WindowName::frmODBCLogon);
        // The data source list starts with its "(None)" item.
        if (!window || window->comboBox("cboDSNList").count() != count + 1) {
            std::fprintf(stderr, "%s: the dialog did not list the %d data sources (%d items)\n",
                         argv[0], count, window ? int(window->comboBox("cboDSNList").count()) : -1);
            return 1;
        }
        dispatcher.run([&] { registry.Unload(WindowName::frmODBCLogon); });
        QCoreApplication::processEvents();

        clock.start();
        floor.list();
        const double listed = double(clock.nsecsElapsed()) / 1e6;
        if (round == 0)
            continue;
        dialog.push_back(shown);
        bare.push_back(listed);
        if (raw)
            std::printf("%.3f %.3f\n", shown, listed);
    }
    if (!raw)
        std::printf("%d data sources: dialog %.2f ms, bare loop %.2f ms, ratio %.2fx (medians of "
                    "%d)\n",
                    count, median(dialog), median(bare), median(dialog) / median(bare), rounds);
    return 0;
}
