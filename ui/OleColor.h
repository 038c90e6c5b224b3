#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace qor {

// A colour as descriptions write it: 0x00BBGGRR, or with the top bit set a system colour whose
// index is the low byte. System colours are resolved from the palette at the moment of painting,
// so they follow the colour scheme.
struct OleColor {
    std::uint32_t value = 0;

    constexpr bool isSystem() const { return (value & 0x80000000u) != 0; }
    constexpr int systemIndex() const { return static_cast<int>(value & 0xFFu); }

    static constexpr OleColor rgb(int r, int g, int b) {
        return {static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
                static_cast<std::uint32_t>(b) << 16};
    }

    // The RGB value for a plain colour; for a system colour the palette's current one. An index
    // the palette does not map resolves to the window text colour.
    QColor resolve(const QPalette& palette) const;

    friend constexpr bool operator==(OleColor, OleColor) = default;
};

namespace colors {
inline constexpr OleColor windowText{0x80000008};
inline constexpr OleColor highlight{0x8000000D};
inline constexpr OleColor highlightText{0x8000000E};
inline constexpr OleColor buttonText{0x80000012};
inline constexpr OleColor red{0x000000FF};
inline constexpr OleColor darkGreen{0x00004000};
} // namespace colors

} // namespace qor
