#include "support/WindowPlaces.h"

#include "ui/Twips.h"
#include "windows/AllWindows.h"

#include <optional>
#include <stdexcept>

namespace qor::test {

namespace {

WindowDescription describe(WindowName window) {
    for (const WindowType& type : allWindowTypes())
        if (type.name == window)
            return type.describe();
    throw std::invalid_argument("a window that the program does not have");
}

QPoint topLeftOf(const Box& box) {
    return {twipsToPixels(float(box.left)), twipsToPixels(float(box.top))};
}

// Where the control's box starts in the client area, and its size, in pixels.
std::optional<std::pair<QPoint, QSize>> placeOf(const std::vector<ControlDescription>& controls,
                                                const QString& name, QPoint origin) {
    for (const ControlDescription& control : controls) {
        const QPoint topLeft = origin + topLeftOf(control.box);
        if (control.name == name)
            return std::pair{topLeft, QSize(twipsToPixels(float(control.box.width)),
                                            twipsToPixels(float(control.box.height)))};
        if (auto inside = placeOf(control.children, name, topLeft))
            return inside;
    }
    return std::nullopt;
}

} // namespace

QString titleOf(WindowName window) {
    return describe(window).caption;
}

QSize clientSizeOf(WindowName window) {
    return clientSizeOf(describe(window));
}

QSize clientSizeOf(const WindowDescription& description) {
    return {twipsToPixels(float(description.clientWidth)),
            twipsToPixels(float(description.clientHeight))};
}

QPoint centreOf(WindowName window, const QString& control) {
    const auto place = placeOf(describe(window).controls, control, QPoint(0, 0));
    if (!place)
        throw std::invalid_argument("no control " + control.toStdString());
    const auto& [topLeft, size] = *place;
    return topLeft + QPoint(size.width() / 2, size.height() / 2);
}

} // namespace qor::test
