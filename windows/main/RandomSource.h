#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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
