#include "support/Fakes.h"
#include "support/StubWindow.h"

#include <QApplication>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

std::vector<WindowType> probeTypes() {
    return withStubs(allWindowTypes(), {WindowName::Form4, WindowName::Form5});
}

} // namespace

class RegistryTest : public QObject {
    Q_OBJECT
private slots:
    void init() { StubWindow::reset(); }
    void cleanup() { checkNoStrayWindows(); }

    void firstShowBuildsRunsLoadBeforeShowingAndCentres() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::Shown);
        QCOMPARE(StubWindow::log, QStringList{"load visible=0"});
        LiveWindow& window = program.window(WindowName::Form4);
        QVERIFY(window.isVisible());
        QTRY_VERIFY(isCentred(window));
    }

    void showTwiceGivesOneWindow() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        LiveWindow* first = &program.window(WindowName::Form4);
        program.show(WindowName::Form4);
        QCOMPARE(&program.window(WindowName::Form4), first);
        QCOMPARE(StubWindow::log.count("load visible=0"), 1);
        QCOMPARE(visibleWindowsNamed("Stub"), 1);
    }

    void hiddenWindowComesBackWhereItStoodWithItsText() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        LiveWindow* window = &program.window(WindowName::Form4);
        window->textBox("Text1").setText("typed by the user");
        window->move(40, 50);
        const QPoint place = window->pos();
        program.event([&] { program.registry.Hide(WindowName::Form4); });
        QVERIFY(!window->isVisible());
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::Hidden);
        program.show(WindowName::Form4);
        QCOMPARE(&program.window(WindowName::Form4), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->pos(), place);
        QCOMPARE(window->textBox("Text1").text(), "typed by the user");
        QCOMPARE(StubWindow::log.count("load visible=0"), 1);
        QVERIFY(!program.ended());
        program.event([&] { program.registry.Unload(WindowName::Form4); });
    }

    void showAfterUnloadBuildsAfresh() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form5); // keeps the program running
        program.show(WindowName::Form4);
        LiveWindow& first = program.window(WindowName::Form4);
        first.textBox("Text1").setText("typed");
        first.move(10, 10);
        program.event([&] { program.registry.Unload(WindowName::Form4); });
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::NotLoaded);
        QVERIFY(!program.ended());
        program.show(WindowName::Form4);
        LiveWindow& second = program.window(WindowName::Form4);
        QCOMPARE(second.textBox("Text1").text(), "described");
        QTRY_VERIFY(isCentred(second));
        QCOMPARE(StubWindow::log.count("load visible=0"), 3);
        QCOMPARE(StubWindow::log.count("unload 0"), 1);
    }

    void programEndsWithTheLastLoadedWindow_data() {
        QTest::addColumn<bool>("hideOther");
        QTest::addColumn<bool>("unloadOther");
        QTest::addColumn<bool>("ends");
        QTest::newRow("another window shown") << false << false << false;
        QTest::newRow("another window hidden") << true << false << false;
        QTest::newRow("no other window") << false << true << true;
    }
    void programEndsWithTheLastLoadedWindow() {
        QFETCH(bool, hideOther);
        QFETCH(bool, unloadOther);
        QFETCH(bool, ends);
        TestProgram program(probeTypes());
        program.show(WindowName::Form5);
        program.show(WindowName::Form4);
        if (hideOther)
            program.event([&] { program.registry.Hide(WindowName::Form5); });
        if (unloadOther)
            program.event([&] { program.registry.Unload(WindowName::Form5); });
        program.window(WindowName::Form4).close(); // the close command
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::NotLoaded);
        QCOMPARE(program.ended(), ends);
        if (ends)
            QCOMPARE(*program.quitStatus, 0);
    }

    void hidingEveryWindowKeepsTheProgramRunning() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        program.event([&] { program.registry.Hide(WindowName::Form4); });
        QVERIFY(!program.ended());
        // Log-off closes hidden windows too, each with its unload handler.
        program.closeAll();
        QCOMPARE(StubWindow::log.count("unload 0"), 1);
        QVERIFY(program.ended());
    }

    void logOffUnderAnOpenMessageBoxEndsTheProgramAtOnce() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        program.messages.onShow = [&](const Message&) { program.registry.closeAll(); };
        StubWindow::onClick = [](StubWindow& p) {
            p.programServices().messages.show("waiting", MessageStyle::Ok);
        };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(StubWindow::log.count("unload 0"), 1);
        QVERIFY(!StubWindow::log.contains("click done"));
        QCOMPARE(program.quitStatus, std::optional<int>(0));
    }

    void unloadInsideAHandlerRunsTheUnloadHandlerThenGoesOn() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        StubWindow::onClick = [](StubWindow& p) { p.programRegistry().Unload(WindowName::Form4); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(StubWindow::log.mid(1), (QStringList{"click", "unload 0", "click done"}));
        QVERIFY(program.ended());
    }

    void endOperationRunsNoOtherHandler() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form5);
        program.event([&] { program.registry.Hide(WindowName::Form5); });
        program.show(WindowName::Form4);
        StubWindow::onClick = [](StubWindow& p) { p.programRegistry().End(); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(StubWindow::log.count("unload 0"), 0);
        QVERIFY(!StubWindow::log.contains("click done"));
        QCOMPARE(program.quitStatus, std::optional<int>(0));
        QCOMPARE(program.registry.window(WindowName::Form4), nullptr);
        QCOMPARE(program.registry.window(WindowName::Form5), nullptr);
        // Nothing runs once the program has ended.
        program.show(WindowName::Form4);
        QCOMPARE(program.registry.window(WindowName::Form4), nullptr);
    }

    void failureIsShownThenEndsTheProgramWithoutUnloadHandlers() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        StubWindow::onClick = [](StubWindow&) { throw Failure("Overflow"); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(program.messages.messages,
                 QList<Message>{(Message{"Overflow", MessageStyle::Stop, QString()})});
        QVERIFY(!StubWindow::log.contains("click done"));
        QCOMPARE(StubWindow::log.count("unload 0"), 0);
        QCOMPARE(program.quitStatus, std::optional<int>(1));
        QCOMPARE(program.registry.window(WindowName::Form4), nullptr);
    }

    void launchFailureIsShownAndTheProgramGoesOn() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        program.launcher.missing << "nothing.exe";
        StubWindow::onClick = [](StubWindow& p) {
            p.programServices().launcher.start("nothing.exe /x", ShowStyle::Normal);
        };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(program.messages.messages,
                 QList<Message>{
                     (Message{"File not found: nothing.exe", MessageStyle::Stop, QString()})});
        // The handler stops at the failing step; the program keeps running.
        QVERIFY(!StubWindow::log.contains("click done"));
        QVERIFY(!program.ended());
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::Shown);
    }
};

QTEST_MAIN(RegistryTest)
#include "tst_registry.moc"
