#pragma once
// Font services: the Windows face names that stored files use are mapped to close faces of the
// machine, and the installed font families are listed.

#include <string>
#include <vector>

namespace penrica {

// 宋体, 楷体_GB2312 and 黑体 render with the installed AR PL and WenQuanYi faces.
void InstallFontSubstitutions();

// Every installed family name once, in the order the system gives them.
std::vector<std::string> InstalledFontNames();

} // namespace penrica
