#pragma once

#include "windows/main/RandomSource.h"

#include <cstddef>
#include <vector>

namespace qor {

// Hands out the given draws in order, and after the last one starts again from the first, counting
// every draw, so a test can choose each draw and see how many were taken.
class ScriptedRandomSource : public RandomSource {
public:
    // Throws std::invalid_argument when there are no draws to hand out.
    explicit ScriptedRandomSource(std::vector<float> draws);
    float next() override;
    std::size_t drawn() const { return drawn_; }

private:
    std::vector<float> draws_;
    std::size_t drawn_ = 0;
};

} // namespace qor
