#include "ui/ReadableText.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

constexpr double leastReadableContrast = 1.5;

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableTextColour(const DrawnColour& fore, const DrawnColour& back,
                          const QPalette& scheme) {
    if (!fore.fromScheme || !back.fromScheme ||
        contrastRatio(fore.colour, back.colour) >= leastReadableContrast)
        return fore.colour;
    QColor best = fore.colour;
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Window, QPalette::Text, QPalette::Base,
          QPalette::ButtonText, QPalette::Button, QPalette::Highlight, QPalette::HighlightedText}) {
        const QColor candidate = scheme.color(QPalette::Active, role);
        if (contrastRatio(candidate, back.colour) > contrastRatio(best, back.colour))
            best = candidate;
    }
    return best;
}

QColor textColourOf(const ControlDescription& control, const QPalette& scheme) {
    const bool field =
        control.kind == ControlKind::TextBox || control.kind == ControlKind::ComboBox;
    const auto drawn = [&](const std::optional<OleColor>& described, QPalette::ColorRole role) {
        if (!described)
            return DrawnColour{scheme.color(QPalette::Active, role), true};
        return DrawnColour{described->resolve(scheme), described->isSystem()};
    };
    return readableTextColour(
        drawn(control.foreColor, field ? QPalette::Text : QPalette::WindowText),
        drawn(control.backColor, field ? QPalette::Base : QPalette::Window), scheme);
}

} // namespace qor
