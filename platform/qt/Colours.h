#pragma once
// Colours are stored as 0x00BBGGRR, the layout of the program's files; Qt wants QColor.

#include <QColor>

#include <cstdint>

namespace penrica {

// The blue of the markers' rings and the strip's selection.
inline constexpr std::uint32_t kBlue = 0x00FF0000;

inline QColor ToQColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t FromQColor(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

} // namespace penrica
