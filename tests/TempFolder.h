#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <random>
#include <string>

// Takes away a folder's write permission. False where the system keeps the folder writable all the
// same (Windows ignores the read-only attribute on folders, and so does the program there): a test
// then skips what needs a read-only folder, with kNoReadOnlyFolders as the reason.
inline bool MakeFolderReadOnly(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;
    return false;
#else
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove, ec);
    return !ec &&
           (fs::status(folder, ec).permissions() & fs::perms::owner_write) == fs::perms::none;
#endif
}
inline constexpr const char* kNoReadOnlyFolders =
    "Windows keeps folders with the read-only attribute writable; only access rights refuse "
    "writes there, and a test cannot take them away";

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
