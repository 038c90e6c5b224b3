#include "app/platform/QtMessageService.h"

#include <QMessageBox>

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
    box.exec();
    if (ended && ended())
        throw ProgramEnded{};
}

} // namespace qor
