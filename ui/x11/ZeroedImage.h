#pragma once

#include <QImage>
#include <QSize>

namespace qor {

// An image whose every byte starts at zero (fully transparent, for a premultiplied format),
// without writing a byte: its pages come from the kernel already zeroed, on the first touch of
// each, and in huge pages where the kernel allows them, so a window-sized drawing layer costs a
// few page faults instead of a pass over megabytes. A null image when the memory is not there.
QImage zeroedImage(QSize size, QImage::Format format);

} // namespace qor
