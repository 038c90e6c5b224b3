#include "ui/PictureReader.h"

#include <QByteArrayView>
#include <QImageReader>
#include <QResource>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace qor {

namespace {

constexpr qsizetype fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;

template <typename T> T little(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<T>(bytes.data() + at);
}

// Where the pixels of an uncompressed 24-bit bitmap lie; nothing for any other kind, which Qt
// reads, or for a bitmap whose pixels do not fit in the file.
struct BitmapLayout {
    QSize whole;
    bool bottomUp = true;
    std::int64_t stride = 0;
    std::uint32_t pixelOffset = 0;
};

std::optional<BitmapLayout> layoutOfBitmap(QByteArrayView file) {
    if (file.size() < fileHeaderSize + qsizetype(infoHeaderSize) || !file.startsWith("BM") ||
        little<std::uint32_t>(file, 14) < infoHeaderSize || little<std::uint16_t>(file, 26) != 1 ||
        little<std::uint16_t>(file, 28) != 24 || little<std::uint32_t>(file, 30) != 0)
        return std::nullopt;
    const std::uint32_t pixelOffset = little<std::uint32_t>(file, 10);
    const std::int32_t width = little<std::int32_t>(file, 18);
    const std::int32_t rawHeight = little<std::int32_t>(file, 22);
    // Rows are stored from the bottom up unless the height is negative.
    const std::int64_t height = std::abs(std::int64_t(rawHeight));
    if (width <= 0 || width > 32767 || height == 0 || height > 32767)
        return std::nullopt;
    const std::int64_t stride = (std::int64_t(width) * 3 + 3) / 4 * 4;
    if (std::int64_t(pixelOffset) + stride * height > file.size())
        return std::nullopt;
    return BitmapLayout{QSize(width, int(height)), rawHeight > 0, stride, pixelOffset};
}

PictureCorner cornerOfBitmap(QByteArrayView file, const BitmapLayout& layout, QSize box) {
    const QSize shown = box.boundedTo(layout.whole).expandedTo(QSize(0, 0));
    QImage pixels(shown, QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y) {
        const std::int64_t row = layout.bottomUp ? layout.whole.height() - 1 - y : y;
        const auto* source = reinterpret_cast<const std::uint8_t*>(file.data()) +
                             layout.pixelOffset + row * layout.stride;
        auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < shown.width(); ++x)
            line[x] = qRgb(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
    }
    return PictureCorner{pixels, layout.whole};
}

// The bytes of a picture compiled into the program without compression; empty for any other.
QByteArrayView compiledIn(const QResource& resource) {
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return QByteArrayView(reinterpret_cast<const char*>(resource.data()), resource.size());
}

} // namespace

std::optional<QSize> readPictureSize(const QString& path) {
    const QResource resource(path);
    if (const std::optional<BitmapLayout> layout = layoutOfBitmap(compiledIn(resource)))
        return layout->whole;
    QImageReader reader(path);
    const QSize size = reader.size();
    return size.isValid() ? std::optional(size) : std::nullopt;
}

std::optional<PictureCorner> readPictureCorner(const QString& path, QSize box) {
    const QResource resource(path);
    const QByteArrayView file = compiledIn(resource);
    if (const std::optional<BitmapLayout> layout = layoutOfBitmap(file))
        return cornerOfBitmap(file, *layout, box);
    QImageReader reader(path);
    const QImage whole = reader.read();
    if (whole.isNull())
        return std::nullopt;
    return PictureCorner{whole.copy(QRect(QPoint(0, 0), box.boundedTo(whole.size()))),
                         whole.size()};
}

} // namespace qor
