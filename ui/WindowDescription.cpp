#include "ui/WindowDescription.h"

namespace qor {

QString controlKey(const QString& name, std::optional<std::int16_t> index) {
    return index ? QStringLiteral("%1(%2)").arg(name).arg(*index) : name;
}

} // namespace qor
