#include "ui/x11/ZeroedImage.h"

#include <cstdint>
#include <limits>
#include <sys/mman.h>

namespace qor {

namespace {

struct Mapping {
    void* address;
    std::size_t length;
};

void unmap(void* info) {
    auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->address, mapping->length);
    delete mapping;
}

} // namespace

QImage zeroedImage(QSize size, QImage::Format format) {
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    if (size.isEmpty() || depth % 8 != 0)
        return {};
    // Scan lines aligned to 32 bits, as QImage aligns its own.
    const auto lineBytes = (std::uint64_t(size.width()) * std::uint64_t(depth / 8) + 3) & ~3ull;
    const auto bytes = lineBytes * std::uint64_t(size.height());
    if (lineBytes > std::uint64_t(std::numeric_limits<qsizetype>::max()) ||
        bytes > std::uint64_t(std::numeric_limits<qsizetype>::max()))
        return {};
    // Whole huge pages, so that the last one may be huge too.
    constexpr std::uint64_t hugePage = 2u << 20;
    const std::size_t length = std::size_t((bytes + hugePage - 1) / hugePage * hugePage);
    void* address =
        mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return {};
    // Only advice: where the kernel declines, the pages are ordinary ones.
    madvise(address, length, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(address), size.width(), size.height(), qsizetype(lineBytes),
                  format, unmap, new Mapping{address, length});
}

} // namespace qor
