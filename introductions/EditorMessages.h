#pragma once
// Every text the introduction editor shows in a message box, named once. Tests and the soak
// read them from here.

#include <string>
#include <string_view>

namespace penrica {

// What every save the user asked for tells when it fails.
inline constexpr const char* kSaveFailed = "保存失败";
inline constexpr const char* kTooLong = "内容好长呀，本软件不支持这样长的内容！";
inline constexpr const char* kPlainTextTooLong = "文本内容超出 。必须小于10K";
inline constexpr const char* kDoubleClickAnAcupoint = "请您双击图片选中穴位";
inline constexpr const char* kPickImageAndAcupointFirst = "请您先点击下面的图片并双击穴位，";
inline constexpr const char* kNoContent = "没有介绍内容呀，";
inline constexpr const char* kLoneCarriageReturn = "单个换行符";
// The question before another marker's text replaces the changed one; the edited record follows.
inline constexpr std::string_view kSaveQuestion = "穴位说明文本内容已被改变，是否保存？";
// The question when the main window closes over changed text.
inline constexpr const char* kCloseQuestion = "穴位说明文本已被改变，是否保存";
// The name label's mark of an acupoint kept while the image on show is another.
inline constexpr std::string_view kKept = "（保留）";

inline std::string ReplaceQuestion(std::string_view acupoint) {
    return std::string(acupoint) +
           " 的介绍内容已经存在，如果打开新内容，将会替换原来的。确定替换吗？";
}

} // namespace penrica
