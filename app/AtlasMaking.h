#pragma once
// 文件 → 生成学习图谱: the study atlas made from the program itself, with the generator's own
// code. The generator runs in a worker thread behind a progress dialog that can cancel it, so
// the window never freezes; the finished page opens in the system's browser, the status line
// tells the counts, and a refusal or failure is told in a message box.

#include "platform/qt/Services.h"

#include <filesystem>

class QLabel;
class QWidget;

namespace penrica {

// The folder the dialog proposes: 学习图谱 beside the program folder.
std::filesystem::path ProposedAtlasFolder(const ProgramFolder& folder);

// Told with the page's path when the system has no browser to open it.
inline constexpr const char* kNoBrowser = "学习图谱已经生成，但是无法打开浏览器。请用浏览器打开：";

void MakeStudyAtlas(Services& services, QWidget& window, QLabel& statusLine);

} // namespace penrica
