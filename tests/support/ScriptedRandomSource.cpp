#include "support/ScriptedRandomSource.h"

#include <stdexcept>
#include <utility>

namespace qor {

ScriptedRandomSource::ScriptedRandomSource(std::vector<float> draws) : draws_(std::move(draws)) {
    if (draws_.empty())
        throw std::invalid_argument("a scripted random source needs at least one draw");
}

float ScriptedRandomSource::next() {
    return draws_[drawn_++ % draws_.size()];
}

} // namespace qor
