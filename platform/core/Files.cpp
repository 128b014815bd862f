#include "platform/core/Files.h"

#include "platform/core/SystemCalls.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

namespace penrica {

fs::path PathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string PathToUtf8(const fs::path& path) {
    return system::NameToUtf8(path);
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec)) && !ec;
}

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool OwnerMayWrite(const fs::path& path) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec) {
        return false;
    }
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// Explorer sets the read-only attribute on a folder whose icon was customised; Windows ignores it,
// and only the access rights, which the write itself meets, decide there.
bool FolderMayBeWritten(const fs::path& folder) {
    return !system::kFoldersHaveWritePermission || OwnerMayWrite(folder);
}

std::string ReadWholeFile(const fs::path& path) {
    return ReadFileStart(path, std::string::npos);
}

std::string ReadFileStart(const fs::path& path, std::size_t count) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < count &&
           (in.read(buffer, static_cast<std::streamsize>(
                                std::min<std::size_t>(sizeof buffer, count - bytes.size()))) ||
            in.gcount() > 0)) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

namespace {

// A folder that exists and that may be written into.
bool WritableFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && FolderMayBeWritten(folder);
}

fs::path FolderOf(const fs::path& path) {
    fs::path parent = path.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// "w<pid>-<n>.tmp": short, so that a long target name never makes it too long for the folder,
// and unique among all writes of all running copies of the program.
fs::path TemporaryIn(const fs::path& folder) {
    static std::atomic<unsigned> counter{0};
    std::string name = "w";
    name += std::to_string(system::ProcessId());
    name += '-';
    name += std::to_string(counter++);
    name += ".tmp";
    return folder / name;
}

// The process id in a temporary file's name, or nothing when the name is not one of ours.
std::optional<unsigned long> WriterOf(const std::string& name) {
    if (name.size() < 7 || name.front() != 'w' || !name.ends_with(".tmp")) {
        return std::nullopt;
    }
    const std::size_t dash = name.find('-');
    if (dash == std::string::npos || dash == 1) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < name.size() - 4; ++i) {
        if (i != dash && (name[i] < '0' || name[i] > '9')) {
            return std::nullopt;
        }
    }
    return std::stoul(name.substr(1, dash - 1));
}

// A staging folder for writes into `folder`: made when missing, writable, and on the same file
// system, so that the rename out of it stays atomic.
bool UsableStaging(const fs::path& staging, const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(staging, ec)) && FolderMayBeWritten(FolderOf(staging)) &&
        fs::create_directory(staging, ec)) {
        system::HideFolder(staging);
    }
    return fs::is_directory(staging, ec) && FolderMayBeWritten(staging) &&
           system::SameFileSystem(staging, folder);
}

// Where the temporary file of a write into `folder` goes, so that it never lies among that
// folder's files: the staging folder; when that cannot serve (another file system, say), a
// staging folder of the same name inside `folder`, which listings of files never show. Only when
// neither can be had, or no staging folder is given, the target's own folder.
fs::path TemporaryFolder(const fs::path& folder, const fs::path& staging) {
    if (staging.empty()) {
        return folder;
    }
    if (UsableStaging(staging, folder)) {
        return staging;
    }
    const fs::path inside = folder / staging.filename();
    return UsableStaging(inside, folder) ? inside : folder;
}

} // namespace

bool WriteWholeFile(const fs::path& path, std::string_view bytes, const fs::path& staging) {
    std::error_code ec;
    const fs::path folder = FolderOf(path);
    if (!WritableFolder(folder)) {
        return false;
    }
    if (fs::exists(path, ec)) {
        if (!fs::is_regular_file(path, ec) || !OwnerMayWrite(path)) {
            return false;
        }
    }
    const fs::path temp = TemporaryIn(TemporaryFolder(folder, staging));
    if (!system::WriteAndFlush(temp, bytes) || !system::ReplaceWith(temp, path)) {
        fs::remove(temp, ec);
        return false;
    }
    return system::SyncFolder(folder);
}

void ClearStaging(const fs::path& staging) {
    for (const std::string& name : ListFolder(staging, EntryKind::Files)) {
        const std::optional<unsigned long> writer = WriterOf(name);
        if (writer && !system::IsRunningElsewhere(*writer)) {
            std::error_code ec;
            fs::remove(staging / name, ec);
        }
    }
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(staging, ec)) && fs::is_empty(staging, ec) && !ec) {
        fs::remove(staging, ec);
    }
}

bool CreateNewFile(const fs::path& path) {
    const fs::path folder = FolderOf(path);
    if (!WritableFolder(folder)) {
        return false;
    }
    // Made as any write's temporary file is: never over an existing one, flushed.
    return system::WriteAndFlush(path, {});
}

std::vector<std::string> ListFolder(const fs::path& folder, EntryKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return names;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        std::error_code typeError;
        bool isFolder = it->is_directory(typeError);
        if (isFolder == (kind == EntryKind::Folders)) {
            names.push_back(PathToUtf8(it->path().filename()));
        }
    }
    return names;
}

bool CopyWholeFile(const fs::path& from, const fs::path& to, const fs::path& staging) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) {
        return false;
    }
    std::string bytes = ReadWholeFile(from);
    std::uintmax_t size = fs::file_size(from, ec);
    if (ec || bytes.size() != size) {
        return false;
    }
    return WriteWholeFile(to, bytes, staging);
}

bool DeleteFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(path, ec)) && !fs::is_symlink(path)) {
        return false;
    }
    if (!FolderMayBeWritten(FolderOf(path))) {
        return false;
    }
    return fs::remove(path, ec) && !ec;
}

bool RenameFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(from, ec)) || !FolderMayBeWritten(FolderOf(from)) ||
        !FolderMayBeWritten(FolderOf(to)) || !system::RenameNoReplace(from, to)) {
        return false;
    }
    system::SyncFolder(FolderOf(to));
    if (FolderOf(to) != FolderOf(from)) {
        system::SyncFolder(FolderOf(from));
    }
    return true;
}

bool CreateFolder(const fs::path& path) {
    std::error_code ec;
    if (!fs::create_directory(path, ec) || ec) {
        return false;
    }
    system::SyncFolder(FolderOf(path)); // the new entry survives a power cut
    return true;
}

bool DeleteFolderTree(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(path, ec))) {
        return false;
    }
    // Files the owner may not write stay, as read-only files do on Windows; the rest goes.
    std::vector<fs::path> entries;
    for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(it->path());
    }
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        std::error_code one;
        if (fs::is_directory(fs::symlink_status(*it, one))) {
            fs::remove(*it, one); // fails harmlessly while something is left inside
        } else if (OwnerMayWrite(*it) || fs::is_symlink(*it)) {
            fs::remove(*it, one);
        }
    }
    fs::remove(path, ec);
    return !fs::exists(fs::symlink_status(path, ec));
}

bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            return false;
        }
        switch (c) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace penrica
