#pragma once

#include "app/Services.h"

#include <functional>

namespace qor {

// An application-modal QMessageBox with one "OK" button.
class QtMessageService : public MessageService {
public:
    // `ended` tells whether the end operation ran while the box was open.
    QtMessageService(QString applicationTitle, std::function<bool()> ended);
    void show(const QString& prompt, MessageStyle style, const QString& title = {}) override;

private:
    QString applicationTitle;
    std::function<bool()> ended;
};

} // namespace qor
