#pragma once
// The program folder and the data paths beside it. By default it is the folder of the running
// executable (a portable program keeps its data next to itself); tests point it anywhere.

#include <filesystem>
#include <string_view>

namespace penrica {

class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path root) : root_(std::move(root)) {}

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path ImageFolder() const { return root_ / "tupian"; }
    std::filesystem::path MarkerRoot() const { return root_ / "zhujie"; }
    std::filesystem::path ConfigFile() const { return root_ / "peizhi.ini"; }
    // Where whole-file writes keep their temporary files: beside the data, never listed. Where it
    // cannot serve a folder (one on another file system), a folder of the same name inside that
    // folder does.
    std::filesystem::path Staging() const { return root_ / ".penrica-staging"; }
    // Removes what killed writes left in every staging folder of the program folder.
    void ClearStaging() const;

    // The folder of the running executable, or the working folder when that cannot be told.
    static std::filesystem::path OfExecutable();

private:
    std::filesystem::path root_;
};

// The file of the image named `image` (a UTF-8 file name) in the image folder.
std::filesystem::path ImageFile(const ProgramFolder& folder, std::string_view image);

} // namespace penrica
