#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace qor {

struct PictureCorner {
    QImage pixels; // the top-left part of the picture, at most the size asked for
    QSize whole;   // the size of the whole picture
};

// Reads the part of a picture that a box of `box` size shows from its top-left corner. A picture
// box shows a small corner of a large picture (the main window's 249 x 177 pixels of the
// 961 x 600 logo), and a start-up should not decode, or hold, the rest. The pictures compiled
// into the program are uncompressed 24-bit bitmaps: only the rows and columns that show are
// read, straight from the program's memory. Any other picture is read whole by Qt's image
// reader and cut down. Nothing when the picture cannot be read.
std::optional<PictureCorner> readPictureCorner(const QString& path, QSize box);

// The size of the whole picture, from its header alone: whether a picture can be shown, known
// without reading its pixels. Nothing when the header cannot be read.
std::optional<QSize> readPictureSize(const QString& path);

} // namespace qor
