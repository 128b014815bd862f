#pragma once
// Reads a picture's width and height from its first bytes: JPEG (marker walk to the first
// start-of-frame), PNG, GIF and BMP. An unknown format, or a header cut short anywhere, gives
// 0 × 0; nothing is ever read past the end of the bytes.

#include "platform/core/PictureSize.h"

#include <string_view>

namespace penrica {

PictureSize ReadImageSize(std::string_view bytes);

} // namespace penrica
