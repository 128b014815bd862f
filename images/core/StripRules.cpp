#include "images/core/StripRules.h"

namespace penrica {

namespace {
constexpr int kScrollStep = 3;
constexpr int kScrollEdge = 200;
constexpr std::int32_t kScrollTicks = 100;
} // namespace

ScrollPosition ScrollStep(ScrollDirection direction, int left, int width, std::int32_t ticks) {
    ScrollPosition next{left, ticks, false};
    if (direction == ScrollDirection::Left && left + width >= kScrollEdge) {
        next.left = left - kScrollStep;
    }
    if (direction == ScrollDirection::Right && left <= kScrollEdge) {
        next.left = left + kScrollStep;
    }
    next.ticks = ticks + 1;
    if (next.ticks > kScrollTicks) {
        next.ticks = 0;
        next.stopTimer = true;
    }
    return next;
}

std::string ImageCountText(std::size_t count) {
    return "共有：" + std::to_string(count) + " 张图片";
}

std::string SelectedImageText(std::string_view name, std::size_t count) {
    return "当前鼠标位置图片：" + std::string(name) + "   " + ImageCountText(count);
}

std::string DeleteMarkersText(std::string_view name, Deletion outcome) {
    return "删除穴位介绍" + std::string(name) + (outcome == Deletion::Done ? "成功" : "失败");
}

std::string DeleteImageText(std::string_view name, Deletion outcome) {
    return outcome == Deletion::Done ? " 。 删除图片" + std::string(name) + "成功"
                                     : "。删除图片" + std::string(name) + "失败";
}

std::string DeleteQuestion(std::string_view name) {
    return std::string(kDeleteImageQuestionHead) + std::string(name) +
           std::string(kDeleteImageQuestionTail);
}

} // namespace penrica
