#include "windows/main/RandomSource.h"

#include <stdexcept>
#include <utility>

namespace qor {

float XorshiftRandomSource::next() {
    // The shifts 13, 17, 5 give the full period of 2^32 - 1 states; zero is never reached.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    constexpr float oneOver2To24 = 1.0f / 16777216.0f;
    return static_cast<float>(state_ >> 8) * oneOver2To24;
}

ScriptedRandomSource::ScriptedRandomSource(std::vector<float> draws) : draws_(std::move(draws)) {
    if (draws_.empty())
        throw std::invalid_argument("a scripted random source needs at least one draw");
}

float ScriptedRandomSource::next() {
    return draws_[drawn_++ % draws_.size()];
}

} // namespace qor
