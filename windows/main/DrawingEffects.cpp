#include "windows/main/DrawingEffects.h"

#include "windows/main/StarField.h"

namespace qor {

void drawStarField(LiveWindow& window, RandomSource& source) {
    StarField field(source);
    while (const auto dot = field.next())
        window.PSet(dot->x, dot->y,
                    sixteenColourPalette[static_cast<std::size_t>(dot->colourIndex)]);
}

} // namespace qor
