#include "ui/ListControls.h"

namespace qor {

bool sortsBefore(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.compare(b, Qt::CaseSensitive) < 0;
}

} // namespace qor
