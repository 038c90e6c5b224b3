#include "support/Fakes.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <algorithm>

namespace qor::test {

void RecordingLauncher::start(const QString& commandLine, ShowStyle style) {
    const QString program = commandLine.section(u' ', 0, 0, QString::SectionSkipEmpty);
    if (missing.contains(program))
        throw LaunchFailure(("File not found: " + program).toStdString());
    launches << Launch{commandLine, style};
    if (onStart)
        onStart();
}

void RecordingMessages::show(const QString& prompt, MessageStyle style, const QString& title) {
    messages << Message{prompt, style, title};
    if (onShow)
        onShow(messages.last());
    if (ended && ended())
        throw ProgramEnded{};
}

TestProgram::TestProgram(std::vector<WindowType> types)
    : registry(std::move(types), services, [this](int status) { quitStatus = status; }) {
    messages.ended = [this] { return registry.dispatcher().ended(); };
}

TestProgram::~TestProgram() {
    closeAll();
}

LiveWindow& TestProgram::window(WindowName name) {
    LiveWindow* live = registry.window(name);
    if (!live)
        qFatal("window not loaded");
    return *live;
}

std::vector<WindowType> withWindow(std::vector<WindowType> types, WindowType replacement) {
    for (WindowType& type : types)
        if (type.name == replacement.name)
            type = replacement;
    return types;
}

void checkNoStrayWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList stray;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            stray << widget->objectName() + " " + widget->windowTitle();
    QVERIFY2(stray.isEmpty(), qPrintable("stray windows: " + stray.join(", ")));
}

int visibleWindowsNamed(const QString& name) {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->objectName() == name;
    return count;
}

bool isCentred(const QWidget& window) {
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    return (window.frameGeometry().center() - screenCentre).manhattanLength() <= 1;
}

} // namespace qor::test
