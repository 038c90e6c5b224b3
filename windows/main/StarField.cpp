#include "windows/main/StarField.h"

#include "app/Services.h"

#include <cmath>
#include <string>

namespace qor {

int paletteIndex(float colourDraw) {
    const float scaled = colourDraw * StarField::paletteFactor;
    // Under the default rounding mode nearbyint rounds a tie to the even integer, so 0 and 15
    // each come out about half as often as the others.
    const float index = std::nearbyint(scaled);
    // A draw outside [0, 1) from a faulty source must not reach the palette as an index it lacks
    // (or as an undefined conversion of NaN): it fails like any other refused step.
    if (!(index >= 0.0f && index < static_cast<float>(sixteenColourPalette.size())))
        throw Failure("Colour draw " + std::to_string(colourDraw) +
                      " picks no colour of the 16-colour palette");
    return static_cast<int>(index);
}

std::optional<Dot> StarField::next() {
    if (dotsMade_ == dotCount)
        return std::nullopt;
    ++dotsMade_;
    verticalScale_ += verticalStep;
    horizontalScale_ += horizontalStep;
    const float acrossDraw = source_.next();
    const float downDraw = source_.next();
    const float colourDraw = source_.next();
    const int colourIndex = paletteIndex(colourDraw);
    return Dot{static_cast<float>(horizontalScale_) * acrossDraw,
               static_cast<float>(verticalScale_) * downDraw, colourIndex};
}

} // namespace qor
