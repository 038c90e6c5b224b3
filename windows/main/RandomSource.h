#pragma once

#include <cstdint>

namespace qor {

// A source of draws for the star field: each draw is a single-precision value in [0, 1), and the
// order in which draws are taken matters.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
};

// A 32-bit xorshift generator that always starts from the same state. Nothing seeds it from the
// system, so every run and every fresh instance yields the same sequence. A draw keeps the top 24
// bits of the state, which a float holds exactly: the draws are spread evenly over [0, 1) and can
// never round up to 1.
class XorshiftRandomSource : public RandomSource {
public:
    float next() override;

private:
    static constexpr std::uint32_t startState = 2463534242u;
    std::uint32_t state_ = startState;
};

} // namespace qor
