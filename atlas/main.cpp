// penrica-atlas PROGRAM_FOLDER OUTPUT_FOLDER: writes the image library of a program folder as a
// web page that opens offline in any browser. Exit status: 0 written, 1 refused or failed (the
// reason on standard error), 2 wrong arguments.

#include "atlas/AtlasSite.h"
#include "platform/core/Files.h"
#include "platform/core/SystemCalls.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = penrica::system::Utf8Arguments(argc, argv);
    if (arguments.size() != 3) {
        std::fputs("用法：penrica-atlas 程序文件夹 输出文件夹\n"
                   "把程序文件夹中的图片、穴位和穴位介绍写成网页：输出文件夹/index.html\n",
                   stderr);
        return 2;
    }
    const auto programFolder = penrica::PathFromUtf8(arguments[1]);
    const auto output = penrica::PathFromUtf8(arguments[2]);
    const penrica::SiteResult result = penrica::WriteAtlasSite(programFolder, output);
    if (result.error != penrica::SiteError::None) {
        std::fprintf(stderr, "penrica-atlas: %s\n", result.message.c_str());
        return 1;
    }
    std::printf("penrica-atlas: %s\n", penrica::SummaryLine(result, output).c_str());
    return 0;
}
