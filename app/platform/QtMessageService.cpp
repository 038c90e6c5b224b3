#include "app/platform/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace qor {

QtMessageService::QtMessageService(QString applicationTitle, std::function<bool()> ended)
    : applicationTitle(std::move(applicationTitle)), ended(std::move(ended)) {}

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
    // The window that was active when the box came up is active again when the call returns.
    // The window manager hands the focus back only a little later, and keys that the caller
    // queues after the box would otherwise find no focused widget and be lost.
    if (activeBefore && activeBefore->isVisible()) {
        QApplication::setActiveWindow(activeBefore);
        activeBefore->activateWindow();
    }
}

} // namespace qor
