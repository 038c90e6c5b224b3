#include "support/Fakes.h"
#include "support/StubWindow.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// Every window but the one under test is a stub, so that only its own placement counts.
std::vector<WindowType> onlyRealWindow(WindowName real) {
    std::vector<WindowType> types = allWindowTypes();
    for (WindowType& type : types)
        if (type.name != real)
            type = windowType<StubWindow>(type.name);
    return types;
}

} // namespace

Q_DECLARE_METATYPE(WindowName)

// A screen of 640x480 pixels at twice the pixel density: the offscreen platform takes its size in
// device-independent pixels, 320x240, less than the main and tools windows need.
class SmallScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 320, 240));
    }

    void cleanup() { checkNoStrayWindows(); }

    void aCentredWindowKeepsItsTitleBarOnTheScreen_data() {
        QTest::addColumn<WindowName>("name");
        QTest::newRow("main window") << WindowName::Form1;
        QTest::newRow("tools window") << WindowName::Frmprogress;
    }
    void aCentredWindowKeepsItsTitleBarOnTheScreen() {
        QFETCH(WindowName, name);
        TestProgram program(onlyRealWindow(name));
        program.screen.available = QGuiApplication::primaryScreen()->availableGeometry();
        program.show(name);
        LiveWindow& window = program.window(name);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(window.frameGeometry().height() > screen.height(), "the window fits the screen");
        // Too tall to centre: the frame's top edge (the title bar of the main window, the top of
        // the borderless tools window) stands at the screen's top, still centred across.
        QTRY_COMPARE(window.frameGeometry().top(), screen.top());
        QVERIFY(std::abs(window.frameGeometry().center().x() - screen.center().x()) <= 1);
        program.event([&] { program.registry.End(); });
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" QOR_SOURCE_DIR "/tests/support/offscreen-small-hidpi.json");
    QApplication application(argc, argv);
    SmallScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_smallscreen.moc"
