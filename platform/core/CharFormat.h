#pragma once
// The character format that the editor, the stored multicolour text and the style windows share.

#include <cstddef>
#include <cstdint>
#include <string>

namespace penrica {

// The editor holds face names of at most this many GBK bytes.
inline constexpr std::size_t kMaxFaceBytes = 31;

// Colours are 0x00BBGGRR. This value stands for the editor's automatic colour.
inline constexpr std::uint32_t kAutomaticColour = 0xFF000000u;

// Effect bits.
enum EffectBits : std::int32_t {
    kBold = 1,
    kItalic = 2,
    kUnderline = 4,
    kStrikeout = 8,
    kProtected = 16,
};

struct CharFormat {
    std::string face = "宋体";
    std::int32_t size = 9;
    std::int32_t offset = 0;
    std::int32_t effects = 0;
    std::uint32_t colour = kAutomaticColour;

    bool operator==(const CharFormat&) const = default;
};

} // namespace penrica
