#include "atlas/AtlasOutput.h"

#include "platform/core/Files.h"
#include "platform/core/TextRules.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace penrica {

namespace {

bool IsLowerOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A file the atlas wrote, possibly cut short: it begins with `start`, or all of it is a part of
// `start` (an empty file too).
bool WrittenAs(const fs::path& file, std::string_view start) {
    const std::string bytes = ReadFileStart(file, start.size());
    return start.starts_with(bytes);
}

bool IsFile(const fs::file_status& status) {
    return fs::is_regular_file(status);
}

// Calls `each` with every entry's name and status; false when the folder cannot be listed or
// `each` says no.
template <typename Each> bool EveryEntry(const fs::path& folder, Each each) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        if (statusError || !each(PathToUtf8(it->path().filename()), status)) {
            return false;
        }
    }
    return !ec;
}

bool HoldsOnlyAtlasFiles(const fs::path& output) {
    return EveryEntry(output, [&](const std::string& name, const fs::file_status& status) {
        if (name == kPictureFolder && fs::is_directory(status)) {
            return EveryEntry(output / kPictureFolder,
                              [](const std::string& picture, const fs::file_status& s) {
                                  return IsFile(s) && IsPictureName(picture);
                              });
        }
        if (name == kPageFile && IsFile(status)) {
            return WrittenAs(output / kPageFile, kPageStart);
        }
        return name == kDataFile && IsFile(status) && WrittenAs(output / kDataFile, kDataStart);
    });
}

// Makes way for a new file at `path`: an existing file or link there is removed, so that the
// write never goes through a link or into a file linked elsewhere. Files.h's rule holds: a
// folder or file without its owner's write permission is read-only.
bool MakeWay(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!FolderMayBeWritten(path.parent_path())) {
        return false;
    }
    if (!fs::exists(status)) {
        return true;
    }
    if (fs::is_symlink(status) || (IsFile(status) && OwnerMayWrite(path))) {
        return fs::remove(path, ec) && !ec;
    }
    return false;
}

} // namespace

OutputContent ClassifyOutput(const fs::path& output) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(output, ec))) {
        return OutputContent::Missing;
    }
    if (fs::is_empty(output, ec) && !ec) {
        return OutputContent::Empty;
    }
    // A run replaces the page only after the data file is whole, so one of them is always there.
    if (ReadFileStart(output / kDataFile, kDataStart.size()) == kDataStart ||
        ReadFileStart(output / kPageFile, kPageStart.size()) == kPageStart ||
        HoldsOnlyAtlasFiles(output)) {
        return OutputContent::FormerAtlas;
    }
    return OutputContent::Other;
}

std::string PictureName(std::size_t place, std::string_view imageName) {
    std::string name = IntToText(static_cast<std::int64_t>(place));
    const std::size_t dot = imageName.rfind('.');
    if (dot == std::string_view::npos) {
        return name;
    }
    std::string extension;
    for (char c : imageName.substr(dot + 1)) {
        extension += Lower(c);
    }
    if (!extension.empty() && extension.size() <= 5 &&
        std::all_of(extension.begin(), extension.end(), IsLowerOrDigit)) {
        name += '.';
        name += extension;
    }
    return name;
}

bool IsPictureName(std::string_view name) {
    const std::size_t dot = name.find('.');
    const std::string_view place = name.substr(0, dot);
    const bool placeOk =
        !place.empty() && place.front() != '0' &&
        std::all_of(place.begin(), place.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!placeOk || dot == std::string_view::npos) {
        return placeOk;
    }
    const std::string_view extension = name.substr(dot + 1);
    return !extension.empty() && extension.size() <= 5 &&
           std::all_of(extension.begin(), extension.end(), IsLowerOrDigit);
}

bool WriteSiteFile(const fs::path& path, std::string_view bytes) {
    if (!MakeWay(path)) {
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) {
        return true;
    }
    std::error_code ec;
    fs::remove(path, ec);
    return false;
}

bool CopySiteFile(const fs::path& from, const fs::path& to) {
    if (!MakeWay(to)) {
        return false;
    }
    std::error_code ec;
    if (fs::copy_file(from, to, ec) && !ec) {
        // The copy takes the picture's permissions; it stays the atlas's to replace.
        fs::permissions(to, fs::perms::owner_write, fs::perm_options::add, ec);
        return true;
    }
    fs::remove(to, ec);
    return false;
}

void RemoveUnusedPictures(const fs::path& pictures, const std::set<std::string>& used) {
    for (const std::string& name : ListFolder(pictures, EntryKind::Files)) {
        if (IsPictureName(name) && !used.contains(name)) {
            DeleteFile(pictures / PathFromUtf8(name));
        }
    }
}

} // namespace penrica
