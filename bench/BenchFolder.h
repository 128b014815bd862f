#pragma once
// A fresh program folder for a benchmark at `root` (in the system's temporary folder): what an
// earlier run left there is removed first, and the image folder and marker root exist. The
// benchmark removes it when it ends.

#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"

#include <filesystem>

inline penrica::ProgramFolder FreshProgramFolder(const std::filesystem::path& root) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    penrica::ProgramFolder folder(root);
    penrica::CreateFolder(folder.ImageFolder());
    penrica::CreateFolder(folder.MarkerRoot());
    return folder;
}
