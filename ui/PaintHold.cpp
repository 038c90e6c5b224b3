#include "ui/PaintHold.h"

#include "ui/DrawingLayer.h"
#include "ui/x11/DisplayServer.h"
#include "ui/x11/X11WindowSurface.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

namespace qor {

bool PaintHold::begin(const QColor& back, const DrawingLayer& layer) {
    QWindow* handle = window.windowHandle();
    if (held || back.alpha() != 255 || !handle || !handle->isExposed() || !flushShowsAtOnce())
        return false;
    X11WindowSurface* x11 = direct.get();
    if (!x11)
        return false;
    // From here on, the screen holds the window's paint wherever the X server does not paint.
    QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
    held = Held{layer.screenStale(), layer.hasDrawings(), {}};
    window.setUpdatesEnabled(false);
    x11->setBackground(back.rgb());
    return true;
}

void PaintHold::exposed(const QRegion& region) {
    if (held)
        held->exposed += region;
}

QRegion PaintHold::end(QSize before, const QRegion& content) {
    if (!held)
        return {};
    const Held was = *held;
    held.reset();
    if (X11WindowSurface* x11 = direct.get())
        x11->setBackground(std::nullopt);
    window.setUpdatesEnabled(true);
    QRegion differing = was.exposed & content;
    // A resize wipes the drawings, and the X server keeps the former client area as it stood.
    if (window.size() != before && (was.drawings || was.stale))
        differing |= QRect(QPoint(0, 0), before);
    return differing & window.rect();
}

} // namespace qor
