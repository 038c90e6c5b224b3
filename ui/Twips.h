#pragma once

#include <cmath>
#include <cstdint>

namespace qor {

// The length unit of every description: 1/1440 inch. Descriptions hold whole twips in 32 bits
// (the screen saver window is 152400 twips wide); run-time positions are single precision.
using Twips = std::int32_t;

// Qt works in device-independent pixels at 96 dpi, so one pixel is always 15 twips; Qt's
// high-dpi scaling takes care of the physical pixels.
inline constexpr int twipsPerPixel = 15;

inline constexpr float pixelsToTwips(int pixels) {
    return static_cast<float>(pixels) * twipsPerPixel;
}

// Rounds to the nearest whole pixel, as the platform does when it applies a length.
inline int twipsToPixels(float twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

} // namespace qor
