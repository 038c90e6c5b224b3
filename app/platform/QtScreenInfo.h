#pragma once

#include "app/Services.h"

namespace qor {

// The primary screen's geometry, read at every call.
class QtScreenInfo : public ScreenInfo {
public:
    float width() const override;
    float height() const override;
    std::optional<QRect> availableArea() const override;
};

} // namespace qor
