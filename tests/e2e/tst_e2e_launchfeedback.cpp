#include "support/FixtureDesktop.h"
#include "support/HiddenPath.h"
#include "support/WindowPlaces.h"
#include "support/X11Session.h"
#include "support/XEvents.h"

#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <deque>

// Xlib's macros, which the library's headers bring, would rewrite Qt's names: last.
#define SN_API_NOT_YET_FROZEN
#include <libsn/sn-monitor.h>

using namespace qor;
using namespace qor::test;

namespace {

const QPoint calculator = centreOf(WindowName::Form1, "Command1");
const QPoint notePad = centreOf(WindowName::Form1, "Command5");

// A startup notification message as a desktop reads it.
struct Notice {
    SnMonitorEventType type;
    QByteArray id;
    QString name;
    QString wmClass;
};

// The user time that a startup id carries after "_TIME"; 0 when it carries none.
quint32 timeInId(const QByteArray& id) {
    const qsizetype at = id.lastIndexOf("_TIME");
    return at < 0 ? 0 : id.mid(at + 5).toUInt();
}

// What a window manager or panel sees of startup notification on the test's X server, read
// with the library that desktops use, on a connection of the test's own. It also reads the
// server's clock.
class StartupMonitor {
public:
    StartupMonitor() {
        if (!x.connected())
            return;
        xcb_connection_t* connection = x.xcbConnection();
        // The messages go to the root window as client messages, to clients that listen for its
        // property changes, as the watch does.
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        clock = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, clock, x.rootWindow(), 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        display = sn_xcb_display_new(connection, nullptr, nullptr);
        context = sn_monitor_context_new(display, 0, &StartupMonitor::received, this, nullptr);
        x.alsoHandle([this](xcb_generic_event_t* event) { handle(event); });
        xcb_flush(connection);
    }
    ~StartupMonitor() {
        x.alsoHandle({});
        if (context)
            sn_monitor_context_unref(context);
        if (display)
            sn_display_unref(display);
    }
    StartupMonitor(const StartupMonitor&) = delete;
    StartupMonitor& operator=(const StartupMonitor&) = delete;

    bool ready() const { return context != nullptr; }

    // The X server's time now: the time of a change to a property of the monitor's window.
    quint32 serverTime() {
        clockTime = 0;
        xcb_change_property(x.xcbConnection(), XCB_PROP_MODE_APPEND, clock, XCB_ATOM_WM_NAME,
                            XCB_ATOM_STRING, 8, 0, nullptr);
        x.waitFor([&] { return clockTime != 0; }, 5000);
        return clockTime;
    }

    // The next message that the monitor has not handed out yet, waiting for it up to the time
    // given; none when nothing came.
    std::optional<Notice> next(int timeoutMs = 10000) {
        if (!x.waitFor([&] { return !notices.empty(); }, timeoutMs))
            return std::nullopt;
        const Notice notice = notices.front();
        notices.pop_front();
        return notice;
    }

    // Forgets what came so far.
    void clear() {
        x.waitFor([] { return false; }, 0);
        notices.clear();
    }

private:
    void handle(xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (change->window == clock)
                clockTime = change->time;
        }
        sn_xcb_display_process_event(display, event);
    }

    static void received(SnMonitorEvent* event, void* monitor) {
        SnStartupSequence* sequence = sn_monitor_event_get_startup_sequence(event);
        static_cast<StartupMonitor*>(monitor)->notices.push_back(
            {sn_monitor_event_get_type(event), sn_startup_sequence_get_id(sequence),
             QString::fromUtf8(sn_startup_sequence_get_name(sequence)),
             QString::fromUtf8(sn_startup_sequence_get_wmclass(sequence))});
    }

    XEvents x;
    xcb_window_t clock = 0;
    quint32 clockTime = 0;
    SnDisplay* display = nullptr;
    SnMonitorContext* context = nullptr;
    std::deque<Notice> notices;
};

// A desktop whose calculator and text editor are scripts that write the DESKTOP_STARTUP_ID
// they were started with ("unset" without one) to out/<name>. `calculatorExtra` and
// `editorExtra` end their desktop entries.
class FeedbackDesktop {
public:
    FeedbackDesktop(const QString& calculatorExtra, const QString& editorExtra,
                    const QString& ownStartupId = {}) {
        program("calc", "Fixture Calculator", "Utility;Calculator;", calculatorExtra);
        program("editor", "Fixture Editor", "Utility;", editorExtra + "MimeType=text/plain;\n");
        desktop.write("config/mimeapps.list",
                      "[Default Applications]\ntext/plain=editor.desktop\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(desktop.environment("XFCE"));
        // As if QOR itself had been started with launch feedback.
        if (!ownStartupId.isEmpty())
            environment.insert("DESKTOP_STARTUP_ID", ownStartupId);
        qor = std::make_unique<QorProcess>(environment);
        if (!desktop.failures().isEmpty())
            failure = "cannot write " + desktop.failures();
        else if (!qor->start())
            failure = "qor did not start";
        else if (main = qor->waitForWindow(mainTitle); !main)
            failure = "the main window did not appear";
    }

    QString startupIdOf(const QString& name) {
        QString id;
        return QTest::qWaitFor([&] { return !(id = desktop.record(name)).isEmpty(); }, 10000)
                   ? id
                   : QString();
    }

    QTemporaryDir folder;
    FixtureDesktop desktop{folder.path()};
    std::unique_ptr<QorProcess> qor;
    qulonglong main = 0;
    QString failure;

private:
    void program(const QString& name, const QString& title, const QString& categories,
                 const QString& extra) {
        const QString script = desktop.at("bin/" + name);
        desktop.write("bin/" + name,
                      QStringLiteral("#!/bin/sh\nprintf '%s' \"${DESKTOP_STARTUP_ID-unset}\""
                                     " > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                          .arg(desktop.recordFile(name)));
        desktop.write("data/applications/" + name + ".desktop",
                      QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                     "Categories=%3\n%4")
                          .arg(title, script, categories, extra));
    }
};

} // namespace

// Launch feedback as a desktop sees it: the freedesktop startup notification messages on the
// root window, and DESKTOP_STARTUP_ID in the started program.
class LaunchFeedbackEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(monitor.ready(), "cannot monitor startup notification"); }

    void entryThatAsksGetsFeedbackForTheClick_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("pointer click") << "click";
        // The calculator is the first control in the tab order, so it has the focus.
        QTest::newRow("Space on the focused button") << "space";
        QTest::newRow("Return on the focused button") << "Return";
    }
    // The "new:" message names the entry's program, the program gets its id, and the id carries
    // the X server's time of the input that made the click.
    void entryThatAsksGetsFeedbackForTheClick() {
        QFETCH(QString, input);
        FeedbackDesktop s("StartupNotify=true\nStartupWMClass=FixtureCalc\n", {});
        QVERIFY2(s.main, qPrintable(s.failure));
        if (input != "click") {
            QorProcess::activate(s.main);
            QVERIFY(QorProcess::waitUntilActive(s.main));
        }
        monitor.clear();
        const quint32 before = monitor.serverTime();
        if (input == "click")
            QorProcess::click(s.main, calculator);
        else
            QorProcess::key(input);
        const quint32 after = monitor.serverTime();
        QVERIFY(before != 0 && after != 0);

        const std::optional<Notice> notice = monitor.next();
        QVERIFY2(notice, "no startup notification");
        QCOMPARE(notice->type, SN_MONITOR_EVENT_INITIATED);
        QCOMPARE(notice->name, "Fixture Calculator");
        QCOMPARE(notice->wmClass, "FixtureCalc");
        QCOMPARE(s.startupIdOf("calc"), QString::fromUtf8(notice->id));
        const quint32 clicked = timeInId(notice->id);
        QVERIFY2(clicked != 0 && before <= clicked && clicked <= after,
                 qPrintable(QStringLiteral("id %1, server time %2 before the input and %3 after")
                                .arg(QString::fromUtf8(notice->id))
                                .arg(before)
                                .arg(after)));
        s.qor->signal(SIGTERM);
        QVERIFY(s.qor->waitForExit());
    }

    // GIO cannot change to the entry's folder, so the program does not start: the feedback
    // ends at once, and the failure is reported.
    void failedLaunchEndsTheFeedbackAtOnce() {
        FeedbackDesktop s("StartupNotify=true\nPath=/nonexistent/folder\n", {});
        QVERIFY2(s.main, qPrintable(s.failure));
        monitor.clear();
        QorProcess::click(s.main, calculator);
        const std::optional<Notice> begun = monitor.next();
        QVERIFY2(begun, "no startup notification");
        QCOMPARE(begun->type, SN_MONITOR_EVENT_INITIATED);
        const std::optional<Notice> ended = monitor.next();
        QVERIFY2(ended, "the feedback did not end");
        QCOMPARE(ended->type, SN_MONITOR_EVENT_COMPLETED);
        QCOMPARE(ended->id, begun->id);
        QVERIFY2(dismiss(*s.qor, "QOR"), "no failure message");
        QVERIFY(s.qor->running());
        s.qor->signal(SIGTERM);
        QVERIFY(s.qor->waitForExit());
    }

    // The editor's entry does not ask for feedback: it gets no message, and no id, not even the
    // one QOR itself was started with. The calculator's launch after it shows that the monitor
    // was listening: its message is the first to come.
    void entryThatDoesNotAskGetsNeitherMessageNorId() {
        FeedbackDesktop s("StartupNotify=true\n", {}, "qor-own-launch_TIME1");
        QVERIFY2(s.main, qPrintable(s.failure));
        monitor.clear();
        QorProcess::click(s.main, notePad);
        QCOMPARE(s.startupIdOf("editor"), "unset");
        QorProcess::click(s.main, calculator);
        const std::optional<Notice> first = monitor.next();
        QVERIFY2(first, "no startup notification for the calculator");
        QCOMPARE(first->name, "Fixture Calculator");
        QCOMPARE(s.startupIdOf("calc"), QString::fromUtf8(first->id));
        s.qor->signal(SIGTERM);
        QVERIFY(s.qor->waitForExit());
    }

private:
    StartupMonitor monitor;
};

QTEST_GUILESS_MAIN(LaunchFeedbackEndToEnd)
#include "tst_e2e_launchfeedback.moc"
