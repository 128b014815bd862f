#pragma once
// A picture's width and height in pixels, as a picture header or a size file gives them; 0 × 0
// stands for unknown.

#include <cstdint>

namespace penrica {

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

} // namespace penrica
