#pragma once

#include <QString>

namespace qor {

// The one word that both the tools window's masked field and the login dialog's password are
// compared with: exact, case-sensitive, no trimming.
inline const QString secretWord = QStringLiteral("quilt");

} // namespace qor
