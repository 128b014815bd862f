#pragma once
// Font services: the Windows face names that stored files use are mapped to close faces of the
// machine, and the installed font families are listed.

#include <string>
#include <vector>

namespace penrica {

// 宋体, 楷体_GB2312 and 黑体 render with the installed AR PL and WenQuanYi faces.
void InstallFontSubstitutions();

// Every installed family once, by its plain family name (no foundry), in the order the system
// gives them; names that only stand for another family ("Monospace", "Serif") are left out.
std::vector<std::string> InstalledFontNames();

} // namespace penrica
