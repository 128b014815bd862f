#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <random>
#include <string>

// Takes away a folder's write permission, as the read-only attribute does. False where the system
// keeps the folder writable all the same (Wine ignores the attribute on folders): a test then
// skips what needs a read-only folder, with kNoReadOnlyFolders as the reason.
inline bool MakeFolderReadOnly(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove, ec);
    return !ec &&
           (fs::status(folder, ec).permissions() & fs::perms::owner_write) == fs::perms::none;
}
inline constexpr const char* kNoReadOnlyFolders =
    "this system keeps read-only folders writable (Wine); a real Windows runs this case";

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("penrica-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        // Give back write permission that a test took away, so everything can go.
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
