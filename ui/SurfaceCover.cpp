#include "ui/SurfaceCover.h"

#include <QImage>

namespace qor {

void SurfaceCover::measure(const std::vector<QWidget*>& controls) {
    bounds = {};
    for (const QWidget* control : controls)
        if (control->isVisible())
            bounds |= control->geometry();
    pixels.assign(std::size_t(bounds.width()) * std::size_t(bounds.height()), Pixel::Open);
    measuring = true;
    for (QWidget* control : controls) {
        if (!control->isVisible() || control->size().isEmpty())
            continue;
        // Without the window's background, what the control itself paints keeps its alpha.
        QImage look(control->size(), QImage::Format_ARGB32_Premultiplied);
        look.fill(Qt::transparent);
        control->render(&look, QPoint(), QRegion(), QWidget::DrawChildren);
        const QPoint origin = control->geometry().topLeft() - bounds.topLeft();
        for (int y = 0; y < look.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(look.constScanLine(y));
            Pixel* row = pixels.data() + std::size_t(origin.y() + y) * std::size_t(bounds.width()) +
                         origin.x();
            for (int x = 0; x < look.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                // Controls that overlap: the most covering look of any of them decides.
                const Pixel mine = alpha == 255 ? Pixel::Opaque
                                   : alpha == 0 ? Pixel::Open
                                                : Pixel::Blended;
                if (mine > row[x])
                    row[x] = mine;
            }
        }
    }
    measuring = false;
    measured = true;
}

SurfaceCover::Pixel SurfaceCover::at(int x, int y) const {
    if (!bounds.contains(x, y))
        return Pixel::Open;
    return pixels[std::size_t(y - bounds.top()) * std::size_t(bounds.width()) +
                  std::size_t(x - bounds.left())];
}

SurfaceCover::Exposure SurfaceCover::exposureOf(const QRect& rectangle) const {
    Exposure exposure;
    if (!rectangle.intersects(bounds)) {
        exposure.kind = Exposure::Open;
        exposure.open.append(rectangle);
        return exposure;
    }
    bool anyOpen = false;
    for (int y = rectangle.top(); y <= rectangle.bottom(); ++y) {
        int runStart = -1;
        for (int x = rectangle.left(); x <= rectangle.right() + 1; ++x) {
            const Pixel pixel = x <= rectangle.right() ? at(x, y) : Pixel::Opaque;
            if (pixel == Pixel::Blended) {
                exposure.kind = Exposure::Blended;
                exposure.open.clear();
                return exposure;
            }
            if (pixel == Pixel::Open && runStart < 0)
                runStart = x;
            if (pixel != Pixel::Open && runStart >= 0) {
                const QRect run(runStart, y, x - runStart, 1);
                // A run under the same run of the row above makes that rectangle taller.
                QRect* above = nullptr;
                for (QRect& open : exposure.open)
                    if (open.bottom() == y - 1 && open.left() == run.left() &&
                        open.right() == run.right())
                        above = &open;
                if (above)
                    above->setBottom(y);
                else
                    exposure.open.append(run);
                anyOpen = true;
                runStart = -1;
            }
        }
    }
    exposure.kind = anyOpen ? Exposure::Open : Exposure::Hidden;
    return exposure;
}

} // namespace qor
