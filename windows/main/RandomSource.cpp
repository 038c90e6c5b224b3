#include "windows/main/RandomSource.h"

namespace qor {

float XorshiftRandomSource::next() {
    // The shifts 13, 17, 5 give the full period of 2^32 - 1 states; zero is never reached.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    constexpr float oneOver2To24 = 1.0f / 16777216.0f;
    return static_cast<float>(state_ >> 8) * oneOver2To24;
}

} // namespace qor
