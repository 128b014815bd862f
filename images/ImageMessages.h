#pragma once
// Every text the image library shows in a message box, named once. Tests and the soak read
// them from here; the status line's texts are in core/StripRules.h and core/AddingRules.h.

#include "platform/core/PictureSize.h"

#include <string>

namespace penrica {

inline constexpr const char* kSizeRepaired = "软件出现一个小错误，已经自动修复";
inline constexpr const char* kSizeUnrepairable = "无法修复这个错误，请重新启动";
inline constexpr const char* kTooWideToShow = "图片宽度不能大于4000像素";
// Precedes a record that ShowImageAtAcupoint cannot read.
inline constexpr const char* kBadRecord = "文件名错误：";
inline constexpr const char* kUnreadableFile = "请输入正确的文件名";
inline constexpr const char* kSpecialPicture = "特殊图片";
inline constexpr const char* kTooWideToAdd = "图片太大";
// The question in place of kTooWideToAdd where a scaled copy can be written: the picture's own
// size between the head and the tail. Cancel is answered with kTooWideToAdd.
inline constexpr const char* kScaleOfferHead = "图片太大（";
inline constexpr const char* kScaleOfferTail = "），是否缩小为宽 3000 像素后添加？";
inline std::string ScaleOffer(PictureSize size) {
    return kScaleOfferHead + std::to_string(size.width) + " × " + std::to_string(size.height) +
           kScaleOfferTail;
}
inline constexpr const char* kPictureError = "图片错误，重新启动软件试试。";
inline constexpr const char* kImageExists = "文件已经存在，请修改名字后添加";
inline constexpr const char* kAddImageFailed = "添加失败";

} // namespace penrica
