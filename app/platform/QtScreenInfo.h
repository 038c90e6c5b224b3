#pragma once

#include "app/Services.h"

namespace qor {

// The primary screen's geometry in twips, read at every call.
class QtScreenInfo : public ScreenInfo {
public:
    float width() const override;
    float height() const override;
};

} // namespace qor
