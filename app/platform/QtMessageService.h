#pragma once

#include "app/Services.h"

#include <QWidget>
#include <functional>

namespace qor {

// An application-modal QMessageBox with one "OK" button.
class QtMessageService : public MessageService {
public:
    // `ended` tells whether the end operation ran while the box was open; `shownByHandler` names
    // the window that the running handler last showed or brought to the front, if any.
    QtMessageService(QString applicationTitle, std::function<bool()> ended,
                     std::function<QWidget*()> shownByHandler = {});
    void show(const QString& prompt, MessageStyle style, const QString& title = {}) override;

private:
    QString applicationTitle;
    std::function<bool()> ended;
    std::function<QWidget*()> shownByHandler;
};

} // namespace qor
