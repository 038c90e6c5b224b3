#pragma once

#include <QLocale>

namespace qor {

// Installs Qt's own translations for the locale (the strings of Qt's widgets: a text box's
// context menu, standard buttons), from the folder where the distribution keeps them. Returns
// false, leaving the strings in English, when none are installed for that locale.
bool installQtTranslations(const QLocale& locale = QLocale());

} // namespace qor
