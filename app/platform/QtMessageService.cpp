#include "app/platform/QtMessageService.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace qor {

namespace {

// A window manager may refuse an activation, and says nothing when it does: the wait ends then.
constexpr int activationWaitMs = 500;

// Asks for the window to become the active one and waits until the platform reports it so.
void activateAndWait(QWidget* window) {
    window->raise();
    window->activateWindow();
    if (QApplication::activeWindow() == window)
        return;
    QEventLoop wait;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &wait, [&wait, window] {
        if (QApplication::activeWindow() == window)
            wait.quit();
    });
    QTimer::singleShot(activationWaitMs, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QtMessageService::QtMessageService(QString applicationTitle, std::function<bool()> ended,
                                   std::function<QWidget*()> shownByHandler)
    : applicationTitle(std::move(applicationTitle)), ended(std::move(ended)),
      shownByHandler(std::move(shownByHandler)) {}

void QtMessageService::show(const QString& prompt, MessageStyle style, const QString& title) {
    QString shown = prompt;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(style == MessageStyle::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title.isEmpty() ? applicationTitle : title, shown, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    const QPointer<QWidget> activeBefore = QApplication::activeWindow();
    box.exec();
    if (ended && ended())
        throw ProgramEnded{};
    // When the call returns, the window that the handler last showed is active, or else the one
    // that was active when the box came up. The window manager reports an activation only a
    // little later, so a window shown just before the box is not yet the active one when the box
    // comes up; and keys that the caller queues after the box would otherwise find no focused
    // widget and be lost. So the call returns once the platform has made that window active.
    QPointer<QWidget> returnTo = shownByHandler ? shownByHandler() : nullptr;
    if (!returnTo || !returnTo->isVisible())
        returnTo = activeBefore;
    if (returnTo && returnTo->isVisible())
        activateAndWait(returnTo);
}

} // namespace qor
