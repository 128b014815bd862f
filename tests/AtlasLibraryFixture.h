#pragma once
// A program folder for the atlas tests, built file by file.

#include "TempFolder.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace penrica {

struct Library {
    TempFolder temp;
    ProgramFolder folder{temp.path() / "program"};

    Library() {
        CreateFolder(folder.Root());
        CreateFolder(folder.ImageFolder());
        CreateFolder(folder.MarkerRoot());
    }
    void Image(const std::string& name, const std::string& bytes, PictureSize size = {}) {
        ASSERT_TRUE(WriteWholeFile(ImageFile(folder, name), bytes));
        CreateFolder(MarkerFolder(folder, name));
        if (size.width > 0) {
            WriteSizeFile(folder, name, size);
        }
    }
    void Marker(const std::string& image, const std::string& record, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile(MarkerFilePath(folder, image, record), bytes));
    }
    std::filesystem::path Output() const { return temp.path() / "site"; }
};

} // namespace penrica
