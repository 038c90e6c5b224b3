#include "support/Fakes.h"

#include <QApplication>
#include <QTest>

using namespace qor;
using namespace qor::test;

namespace {

// A window whose handlers write what happens to them into a shared log, and whose click handler
// runs whatever the test gives it.
class Probe : public BoundModule<Probe> {
public:
    using BoundModule::BoundModule;
    static inline QStringList log;
    static inline std::function<void(Probe&)> onClick;

    static WindowDescription describe() {
        return {.name = "Probe",
                .caption = "Probe",
                .clientWidth = 3000,
                .clientHeight = 1500,
                .startUpPosition = StartUpPosition::CenterScreen,
                .controls = {
                    {.name = "Text1",
                     .kind = ControlKind::TextBox,
                     .caption = "described",
                     .box = {100, 100, 2000, 300},
                     .tabIndex = 0},
                    {.name = "Command1",
                     .kind = ControlKind::Button,
                     .caption = "Go",
                     .box = {100, 600, 1000, 400},
                     .tabIndex = 1},
                }};
    }
    static const std::vector<Binding<Probe>> bindings;

    void Form_Load() { log << QStringLiteral("load visible=%1").arg(Me.isVisible()); }
    void Form_Unload(std::int16_t& cancel) { log << QStringLiteral("unload %1").arg(cancel); }
    void Command1_Click() {
        log << "click";
        if (onClick)
            onClick(*this);
        log << "click done";
    }
    WindowRegistry& reg() { return registry; }
    Services& svc() { return services; }
};

const std::vector<Binding<Probe>> Probe::bindings = {
    {"Form", Event::Load, &Probe::Form_Load},
    {"Form", Event::Unload, &Probe::Form_Unload},
    {"Command1", Event::Click, &Probe::Command1_Click},
};

std::vector<WindowType> probeTypes() {
    auto types = withWindow(allWindowTypes(), windowType<Probe>(WindowName::Form4));
    return withWindow(types, windowType<Probe>(WindowName::Form5));
}

} // namespace

class RegistryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Probe::log.clear();
        Probe::onClick = nullptr;
    }
    void cleanup() { checkNoStrayWindows(); }

    void firstShowBuildsRunsLoadBeforeShowingAndCentres() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::Shown);
        QCOMPARE(Probe::log, QStringList{"load visible=0"});
        LiveWindow& window = program.window(WindowName::Form4);
        QVERIFY(window.isVisible());
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QTRY_VERIFY((window.frameGeometry().center() - screenCentre).manhattanLength() <= 1);
    }

    void showTwiceGivesOneWindow() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        LiveWindow* first = &program.window(WindowName::Form4);
        program.show(WindowName::Form4);
        QCOMPARE(&program.window(WindowName::Form4), first);
        QCOMPARE(Probe::log.count("load visible=0"), 1);
        int visible = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            visible += w->isVisible() && w->objectName() == "Probe";
        QCOMPARE(visible, 1);
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
        QCOMPARE(Probe::log.count("load visible=0"), 1);
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
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QTRY_VERIFY((second.frameGeometry().center() - screenCentre).manhattanLength() <= 1);
        QCOMPARE(Probe::log.count("load visible=0"), 3);
        QCOMPARE(Probe::log.count("unload 0"), 1);
        program.event([&] { program.registry.closeAll(); });
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
        else
            program.event([&] { program.registry.closeAll(); });
    }

    void hidingEveryWindowKeepsTheProgramRunning() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        program.event([&] { program.registry.Hide(WindowName::Form4); });
        QVERIFY(!program.ended());
        // Log-off closes hidden windows too, each with its unload handler.
        program.event([&] { program.registry.closeAll(); });
        QCOMPARE(Probe::log.count("unload 0"), 1);
        QVERIFY(program.ended());
    }

    void logOffUnderAnOpenMessageBoxEndsTheProgramAtOnce() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        program.messages.onShow = [&](const Message&) { program.registry.closeAll(); };
        Probe::onClick = [](Probe& p) { p.svc().messages.show("waiting", MessageStyle::Ok); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(Probe::log.count("unload 0"), 1);
        QVERIFY(!Probe::log.contains("click done"));
        QCOMPARE(program.quitStatus, std::optional<int>(0));
    }

    void unloadInsideAHandlerRunsTheUnloadHandlerThenGoesOn() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        Probe::onClick = [](Probe& p) { p.reg().Unload(WindowName::Form4); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(Probe::log.mid(1), (QStringList{"click", "unload 0", "click done"}));
        QVERIFY(program.ended());
    }

    void endOperationRunsNoOtherHandler() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form5);
        program.event([&] { program.registry.Hide(WindowName::Form5); });
        program.show(WindowName::Form4);
        Probe::onClick = [](Probe& p) { p.reg().End(); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(Probe::log.count("unload 0"), 0);
        QVERIFY(!Probe::log.contains("click done"));
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
        Probe::onClick = [](Probe&) { throw Failure("Overflow"); };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(program.messages.messages,
                 QList<Message>{(Message{"Overflow", MessageStyle::Stop, QString()})});
        QVERIFY(!Probe::log.contains("click done"));
        QCOMPARE(Probe::log.count("unload 0"), 0);
        QCOMPARE(program.quitStatus, std::optional<int>(1));
        QCOMPARE(program.registry.window(WindowName::Form4), nullptr);
    }

    void launchFailureIsShownAndTheProgramGoesOn() {
        TestProgram program(probeTypes());
        program.show(WindowName::Form4);
        program.launcher.missing << "nothing.exe";
        Probe::onClick = [](Probe& p) {
            p.svc().launcher.start("nothing.exe /x", ShowStyle::Normal);
        };
        program.window(WindowName::Form4).button("Command1").click();
        QCOMPARE(program.messages.messages,
                 QList<Message>{
                     (Message{"File not found: nothing.exe", MessageStyle::Stop, QString()})});
        // The handler stops at the failing step; the program keeps running.
        QVERIFY(!Probe::log.contains("click done"));
        QVERIFY(!program.ended());
        QCOMPARE(program.registry.state(WindowName::Form4), WindowRegistry::State::Shown);
        program.event([&] { program.registry.closeAll(); });
    }
};

QTEST_MAIN(RegistryTest)
#include "tst_registry.moc"
