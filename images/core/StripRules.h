#pragma once
// The thumbnail strip's geometry, its scroll step and the status line texts of the image library.

#include <cstdint>
#include <string>
#include <string_view>

namespace penrica {

inline constexpr int kCellWidth = 40;
inline constexpr int kThumbnailSide = 30;
inline constexpr int kThumbnailTop = 2;
inline constexpr int kEmptyStripWidth = 10;
inline constexpr int kStripHeight = 40;

// The cell (counting from 1) that a click at x on the strip hits; the boundary lies 5 pixels
// before the end of each 40-pixel cell.
inline int CellAt(int x) {
    return (x + 45) / kCellWidth;
}
inline int ThumbnailLeft(int n) {
    return 5 + kCellWidth * (n - 1);
}
inline int StripWidth(int count) {
    return count == 0 ? kEmptyStripWidth : count * kCellWidth;
}

enum class ScrollDirection { None, Left, Right };

struct ScrollPosition {
    int left = 0;
    std::int32_t ticks = 0;
    bool stopTimer = false;
};

// One tick of the scroll timer: at most 3 pixels, and part of the strip always stays in view
// around x = 200 of its frame. The timer stops after the 101st tick.
ScrollPosition ScrollStep(ScrollDirection direction, int left, int width, std::int32_t ticks);

std::string ImageCountText(std::size_t count);
std::string SelectedImageText(std::string_view name, std::size_t count);
enum class Deletion { Done, Failed };
std::string DeleteMarkersText(std::string_view name, Deletion outcome);
std::string DeleteImageText(std::string_view name, Deletion outcome);
// The question before an image is deleted: the name between the head and the tail.
inline constexpr std::string_view kDeleteImageQuestionHead = "您将要删除：";
inline constexpr std::string_view kDeleteImageQuestionTail =
    " 以及此图片下面所有的穴位介绍，删除后不可恢复，确定要删除吗？";
std::string DeleteQuestion(std::string_view name);

} // namespace penrica
