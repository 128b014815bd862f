#pragma once
// The rules of adding pictures to the library: the width a picture may have, the size a picture
// too wide is scaled to when the user agrees, and the status line after adding several at once.

#include "platform/core/PictureSize.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace penrica {

// Wider pictures are offered scaled down to this width.
inline constexpr std::int32_t kWidestAddedImage = 3000;
// A scaled picture is never taller than this, the tallest picture the program shows.
inline constexpr std::int32_t kTallestScaledImage = 4000;

constexpr bool IsTooWideToAdd(PictureSize size) {
    return size.width > kWidestAddedImage;
}

// The size within both limits with the picture's proportions, each side cut toward zero and at
// least 1 pixel. Only a picture too wide to add is ever scaled.
PictureSize ScaledToAdd(PictureSize size);

// "添加成功 N 张，未添加 M 张": the status line after several files were chosen or dropped.
std::string AddedSummaryText(std::size_t added, std::size_t notAdded);

} // namespace penrica
