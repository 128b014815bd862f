#pragma once
// Whole-file services. Reads give all bytes or none; every write goes through WriteWholeFile,
// which is atomic: a temporary file is written and flushed in a staging folder on the same file
// system, renamed over the target, and the target's folder is flushed, so a crash or a full disk
// never leaves a half-written file, a failed write leaves the old file as it was, and a write
// reported as done survives a power cut. A killed write leaves its temporary file only in the
// staging folder, which no listing of the program reads; ClearStaging removes such leftovers.
//
// A file without its owner's write permission counts as read-only, as the Windows read-only
// attribute does: writes over it fail, whoever runs the program. So does a folder on Linux;
// Windows ignores the attribute on folders, and so does the program there.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

namespace fs = std::filesystem;

// Program texts are UTF-8; file names go through the file system's own encoding.
fs::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const fs::path& path);

// True for an existing file or folder.
bool Exists(const fs::path& path);
bool IsFolder(const fs::path& path);

// Whether the owner may write the file (a file without that permission counts as read-only), and
// whether files may be made in or removed from an existing folder, by the rule above.
bool OwnerMayWrite(const fs::path& path);
bool FolderMayBeWritten(const fs::path& folder);

// The whole content; empty when the file is missing or unreadable.
std::string ReadWholeFile(const fs::path& path);
// The first `count` bytes, or the whole file when it is shorter; empty as ReadWholeFile.
std::string ReadFileStart(const fs::path& path, std::size_t count);

// Creates or replaces the file atomically. False when it failed; the old file is then intact.
// The temporary file lives in `staging` (created when missing). Without one, or when it cannot
// be made or lies on another file system, the temporary file lives beside the target.
bool WriteWholeFile(const fs::path& path, std::string_view bytes, const fs::path& staging = {});

// Removes the temporary files that killed writes left in `staging`, and the folder itself when
// that leaves it empty. Files of a write still running in another process, and files of other
// names, stay.
void ClearStaging(const fs::path& staging);

// Creates an empty file that does not exist yet. False when it exists already or cannot be made;
// an existing file is never touched.
bool CreateNewFile(const fs::path& path);

enum class EntryKind { Files, Folders };

// Names (not paths) in the system's listing order, never sorted. A missing folder gives none.
std::vector<std::string> ListFolder(const fs::path& folder, EntryKind kind);

// Copies through WriteWholeFile, so the copy is as safe as any write.
bool CopyWholeFile(const fs::path& from, const fs::path& to, const fs::path& staging = {});
bool DeleteFile(const fs::path& path);
// Renames a file within its folder or to another, never over an existing file, and makes the
// rename durable. False when nothing changed.
bool RenameFile(const fs::path& from, const fs::path& to);
// One level: the parent must exist.
bool CreateFolder(const fs::path& path);
// The folder with everything in it. True when the folder is gone afterwards.
bool DeleteFolderTree(const fs::path& path);

// True for a name that can be one entry of a folder on every system the program runs on: not
// empty, not "." or "..", no path separator, none of : * ? " < > | and no control character.
bool IsSafeFileName(std::string_view name);

} // namespace penrica
