#include "images/core/AddingRules.h"

#include <algorithm>

namespace penrica {

namespace {

// side × numerator / denominator in 64 bits, cut toward zero, at least 1.
std::int32_t Scale(std::int32_t side, std::int32_t numerator, std::int32_t denominator) {
    const std::int64_t scaled = std::int64_t{side} * numerator / denominator;
    return static_cast<std::int32_t>(std::max<std::int64_t>(scaled, 1));
}

} // namespace

PictureSize ScaledToAdd(PictureSize size) {
    if (size.width <= 0 || size.height <= 0) {
        return {};
    }
    PictureSize scaled = size;
    if (scaled.width > kWidestAddedImage) {
        scaled = {kWidestAddedImage, Scale(size.height, kWidestAddedImage, size.width)};
    }
    if (scaled.height > kTallestScaledImage) {
        scaled = {Scale(size.width, kTallestScaledImage, size.height), kTallestScaledImage};
    }
    return scaled;
}

std::string AddedSummaryText(std::size_t added, std::size_t notAdded) {
    return "添加成功 " + std::to_string(added) + " 张，未添加 " + std::to_string(notAdded) + " 张";
}

} // namespace penrica
