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

void MakeStudyAtlas(Services& services, QWidget& window, QLabel& statusLine);

} // namespace penrica
