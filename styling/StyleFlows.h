#pragma once
// Styling the editor's selection: the font style window, the four quick formats, and the window
// that edits the quick formats. Each window is created anew at every opening.

#include "styling/StyleState.h"

#include <string_view>

class QWidget;

namespace penrica {

class ConfigFile;
class Prompts;
class RichEdit;

// "改变选中字体": runs the font style window; on OK the choice goes to the selection and the
// background colour to the whole editor. Cancel and the close box change nothing.
void ChangeSelectedFont(StyleState& state, RichEdit& editor);

// "字符格式1" to "字符格式4": the section's format, read now, on the selection.
void ApplyQuickFormat(RichEdit& editor, const ConfigFile& config, std::string_view section);

// "配置快捷字符格式": runs the quick format window until its close box. A 保存 that cannot write
// peizhi.ini says "保存失败" and keeps the window and its values. The window belongs to `opener`.
void ConfigureQuickFormats(const ConfigFile& config, Prompts& prompts, QWidget* opener);

} // namespace penrica
