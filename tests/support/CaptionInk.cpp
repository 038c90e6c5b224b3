#include "support/CaptionInk.h"

#include "support/X11Session.h"
#include "ui/ReadableText.h"

#include <QTemporaryDir>

namespace qor::test {

namespace {

QRect pixelBox(const Box& box, QPoint offset) {
    return QRect(twipsToPixels(float(box.left)), twipsToPixels(float(box.top)),
                 twipsToPixels(float(box.width)), twipsToPixels(float(box.height)))
        .translated(offset);
}

// Caption text is drawn in near-black; no bevel, face or border colour of a button is that dark
// (the darkest, the dark green face, stands at a contrast ratio of 1.7 with black).
bool captionInk(const QColor& colour) {
    return contrastRatio(colour, Qt::black) < 1.4;
}

// A button draws its bevel in its two outermost columns; a caption that fits leaves the columns
// just inside the bevel free of ink.
bool buttonCaptionCut(const QImage& image, const QRect& box) {
    for (const int x : {box.left() + 2, box.right() - 2})
        for (int y = box.top() + 2; y <= box.bottom() - 2; ++y)
            if (captionInk(image.pixelColor(x, y)))
                return true;
    return false;
}

// A label fills its box with its back colour, which its top-right corner shows: text that fits
// leaves its last column and its last row in that colour.
bool labelTextCut(const QImage& image, const QRect& box) {
    const QColor back = image.pixelColor(box.topRight());
    const auto ink = [&](int x, int y) {
        return contrastRatio(image.pixelColor(x, y), back) > 1.5;
    };
    for (int y = box.top(); y <= box.bottom(); ++y)
        if (ink(box.right(), y))
            return true;
    for (int x = box.left(); x <= box.right(); ++x)
        if (ink(x, box.bottom()))
            return true;
    return false;
}

void collect(const QImage& image, const std::vector<ControlDescription>& controls, QPoint offset,
             QStringList& cut) {
    for (const ControlDescription& control : controls) {
        const QRect box = pixelBox(control.box, offset);
        if (control.caption.isEmpty() || !image.rect().contains(box))
            ;
        else if (control.kind == ControlKind::Button && buttonCaptionCut(image, box))
            cut << control.caption;
        else if (control.kind == ControlKind::Label && labelTextCut(image, box))
            cut << control.caption;
        if (control.kind == ControlKind::Frame)
            collect(image, control.children, box.topLeft(), cut);
    }
}

} // namespace

QImage grabClientArea(qulonglong window) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("window.png"));
    run(QStringLiteral("import"), {QStringLiteral("-window"), QString::number(window), file});
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QStringList cutCaptions(const QImage& clientArea, const WindowDescription& description) {
    QStringList cut;
    collect(clientArea, description.controls, QPoint(0, 0), cut);
    return cut;
}

} // namespace qor::test
