#pragma once

#include "ui/WindowDescription.h"

#include <QImage>
#include <QStringList>

namespace qor::test {

// A window's client area as the X server shows it (the window must not be covered).
QImage grabClientArea(qulonglong window);

// The captions of the described window that the picture of its client area shows cut off: the
// ink of a button's caption reaches the button's bevel, or a label's text runs into the last
// column or row of its box. Each is named with its caption.
QStringList cutCaptions(const QImage& clientArea, const WindowDescription& description);

} // namespace qor::test
