#pragma once
// Every text the marker menu and the acupoint list show in a prompt, named once. Tests and the
// soak read them from here; the report of a foreign file is ForeignFileText.

#include <string>
#include <string_view>

namespace penrica {

inline constexpr const char* kMarkerNamePrompt = "请在此输入穴位名称";
inline constexpr const char* kMarkerNameHint = "注意：穴位名称中间不能有空格";
// Follows "添加失败\r\n" with the path of the file that could not be made.
inline constexpr const char* kAddMarkerFailed = "添加失败";
// Follows "移动失败\r\n" or "重命名失败\r\n" with the path of the record that could not be made.
inline constexpr const char* kMoveMarkerFailed = "移动失败";
inline constexpr const char* kRenameMarkerFailed = "重命名失败";
inline constexpr const char* kMoveMarkerHint = "请单击穴位的新位置（右键单击取消）";
inline constexpr const char* kNewMarkerNamePrompt = "请在此输入新的穴位名称";
// Follows the record in the question before a marker is deleted.
inline constexpr std::string_view kDeleteMarkerQuestionTail = "确定删除吗 ？同时将穴位介绍一块删除";
// Precedes the name of a file in a marker folder that the search cannot read as a record.
inline constexpr const char* kIllegalFileInMarkers = "文件夹（zhujie）中存在违法文件，请你删除：";

inline std::string DeleteMarkerQuestion(std::string_view record) {
    return std::string(record) + std::string(kDeleteMarkerQuestionTail);
}

} // namespace penrica
