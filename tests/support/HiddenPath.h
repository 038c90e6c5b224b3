#pragma once

#include "support/X11Session.h"

namespace qor::test {

// Closes the message box with this title by pressing Return in it, as a user would.
bool dismiss(QorProcess& qor, const QString& title);
// Waits for the message box with this title to take the focus by itself, then closes it with
// Return.
bool closeBoxWithEnter(QorProcess& qor, const QString& title);

// Types the secret word into the tools window's masked field once the window has the focus, as
// a user does, and returns the login dialog that this opens, or 0.
qulonglong enterSecretWord(QorProcess& qor, qulonglong tools);

// From the shown tools window to the options window, the way a user goes: the secret word into
// the masked field, the right password with the login dialog's notices closed. Sets `options` and
// returns what went wrong, or an empty text.
QString openOptionsFromTools(QorProcess& qor, qulonglong& options);
// From the shown tools window to the data source dialog, the way a user goes: the secret word
// into the masked field, the right password with the login dialog's notices closed, then the
// options window's button and its notice. Returns what went wrong, or an empty text.
QString openDataSourceDialogFromTools(QorProcess& qor);
// The same from the main window, through "NEXT PAGE".
QString openDataSourceDialog(QorProcess& qor);

} // namespace qor::test
