#include "app/platform/QtKeystrokeService.h"
#include "support/StubWindow.h"
#include "support/ToolsShown.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// Every size and place the window is given while the exit runs, in pixels.
class StepRecorder : public QObject {
public:
    explicit StepRecorder(QWidget& window)
        : heights{window.height()}, tops{window.y()}, lefts{window.x()} {
        window.installEventFilter(this);
    }
    QList<int> heights, tops, lefts; // each starting where the window stood
    QStringList order;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto& window = static_cast<QWidget&>(*watched);
        if (event->type() == QEvent::Resize) {
            heights << window.height();
            note("fold");
        } else if (event->type() == QEvent::Move) {
            if (window.y() != tops.last()) {
                tops << window.y();
                note("drop");
            }
            if (window.x() != lefts.last()) {
                lefts << window.x();
                note("run-off");
            }
        }
        return false;
    }

private:
    void note(const QString& phase) {
        if (order.isEmpty() || order.last() != phase)
            order << phase;
    }
};

// The tools window in front of a stub main window; the window its exit must leave alone is a
// stub too.
struct ToolsBeforeStubs : ToolsShown {
    ToolsBeforeStubs()
        : ToolsShown(withStubs(allWindowTypes(), {WindowName::Form1, WindowName::Form4})) {}
};

QList<int> countDown(int from, int to) {
    QList<int> values;
    for (int value = from; value >= to; --value)
        values << value;
    return values;
}

QList<int> countUp(int from, int to) {
    QList<int> values;
    for (int value = from; value <= to; ++value)
        values << value;
    return values;
}

} // namespace

class ToolsExitTest : public QObject {
    Q_OBJECT
private slots:
    void init() { StubWindow::reset(); }
    void cleanup() { checkNoStrayWindows(); }

    // The window stands centred at (364, 350), 551 x 324 pixels, on a screen of 1280 x 1024:
    // the fold stops at 29 pixels (435 twips), the drop once the top passes 14860 twips
    // (pixel 991), the run-off once the left edge passes 19200 twips (pixel 1281).
    void closeCommandPlaysTheExitThenEndsWithNoOtherUnload_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("close command") << "close";
        QTest::newRow("Alt+F4 that no window manager took") << "alt+F4";
    }
    void closeCommandPlaysTheExitThenEndsWithNoOtherUnload() {
        QFETCH(QString, how);
        ToolsBeforeStubs s;
        QCOMPARE(s.tools->frameGeometry(), QRect(364, 350, 551, 324));
        StepRecorder steps(*s.tools);
        s.program.launcher.onStart = [] { QFAIL("nothing is launched"); };

        if (how == "close")
            s.tools->close();
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);

        QCOMPARE(steps.order, (QStringList{"fold", "drop", "run-off"}));
        QCOMPARE(steps.heights, countDown(324, 29));
        QCOMPARE(steps.tops, countUp(350, 991));
        QCOMPARE(steps.lefts, countUp(364, 1281));
        QCOMPARE(s.program.quitStatus, std::optional<int>(0));
        QVERIFY(StubWindow::log.isEmpty());
        QCOMPARE(s.program.registry.window(WindowName::Form1), nullptr);
        QCOMPARE(s.program.registry.window(WindowName::Frmprogress), nullptr);
        QVERIFY(s.program.messages.messages.isEmpty());
    }

    // Log-off unloads every window in turn: the main window first, with its unload handler,
    // then the hidden tools window, whose exit runs out of sight and ends the program.
    void logOffRunsTheExitOnTheHiddenWindow() {
        ToolsBeforeStubs s;
        QPointer<LiveWindow> tools = s.tools;
        s.tools->button("Command1").click();
        QVERIFY(!tools->isVisible());

        s.program.closeAll();

        QCOMPARE(StubWindow::log, QStringList{"unload 0"});
        QCOMPARE(s.program.quitStatus, std::optional<int>(0));
        QCOMPARE(s.program.registry.window(WindowName::Frmprogress), nullptr);
        // The window is destroyed once control is back in the event loop; until then it shows
        // where the exit left it.
        QVERIFY(tools);
        QCOMPARE(tools->frameGeometry(), QRect(1281, 991, 551, 29));
        QVERIFY(!tools->isVisible());
    }

    // Clicks, keys, pointer moves and queued key strokes that wait while the exit runs are
    // never handled: the exit makes no pass through the event loop, and the program has ended
    // when it is over.
    void nothingWaitingIsHandledDuringTheExit() {
        ToolsBeforeStubs s;
        s.program.show(WindowName::Form4);
        LiveWindow& other = s.program.window(WindowName::Form4);
        StubWindow::log.clear();
        s.tools->activateWindow();
        s.tools->textBox("Text1").setFocus();
        QtKeystrokeService keystrokes;
        keystrokes.send("quilt");
        QPushButton& go = other.button("Command1");
        const QPointF centre = go.rect().center();
        QCoreApplication::postEvent(&go, new QMouseEvent(QEvent::MouseButtonPress, centre,
                                                         go.mapToGlobal(centre), Qt::LeftButton,
                                                         Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(&go, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                         go.mapToGlobal(centre), Qt::LeftButton,
                                                         Qt::NoButton, Qt::NoModifier));
        QCoreApplication::postEvent(
            &other.textBox("Text1"),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        QCoreApplication::postEvent(&other,
                                    new QMouseEvent(QEvent::MouseMove, QPointF(5, 5),
                                                    other.mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                                                    Qt::NoButton, Qt::NoModifier));
        QPointer<LiveWindow> tools = s.tools;

        s.tools->close();

        QVERIFY(s.program.ended());
        QVERIFY(StubWindow::log.isEmpty());
        QVERIFY(tools);
        QCOMPARE(tools->textBox("Text1").Text(), "Text1");
        QCOMPARE(s.program.registry.state(WindowName::frmLogin), WindowRegistry::State::NotLoaded);
        QCoreApplication::processEvents();
        QVERIFY(StubWindow::log.isEmpty());
    }
};

QTEST_MAIN(ToolsExitTest)
#include "tst_toolsexit.moc"
