#pragma once
// The few file and process calls whose form differs between the systems the program runs on.
// Files.cpp builds every whole-file rule on these; SystemCallsPosix.cpp and
// SystemCallsWindows.cpp each give them for one system. On Windows every path goes through the
// wide-character API, so file names in Chinese work under any system code page.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace penrica::system {

namespace fs = std::filesystem;

// The command line's arguments as UTF-8, the program's name first. Windows hands `argv` over in
// the ANSI code page, which loses Chinese folder names under a Western one: there the wide
// command line is read instead. Also makes the console take UTF-8 output.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A file name as UTF-8 text. Names the system holds that are no valid text (a Windows name with
// a lone surrogate) give the replacement character there, never an error; on other systems the
// name's bytes are given as they are.
std::string NameToUtf8(const fs::path& path);

// The running executable's own file; empty when the system cannot tell.
fs::path ExecutableFile();

// Whether a folder's write permission decides if files may be made in it: so on Linux; Windows
// ignores the read-only attribute of folders.
#ifdef _WIN32
inline constexpr bool kFoldersHaveWritePermission = false;
#else
inline constexpr bool kFoldersHaveWritePermission = true;
#endif

unsigned long ProcessId();
// Whether another process of this id runs now (this process's own id gives false).
bool IsRunningElsewhere(unsigned long pid);

// Creates `temp`, which must not exist yet, writes `bytes` into it and flushes it to the disk.
// False when any step failed; a part-written file may then be left for the caller to remove.
bool WriteAndFlush(const fs::path& temp, std::string_view bytes);
// Puts `temp` in the place of `target` in one step, replacing a file there, and flushes the
// change. A target held open by another program for a moment (a virus scanner) is tried again
// for about a second. False when it did not happen; `temp` and `target` are then as they were.
bool ReplaceWith(const fs::path& temp, const fs::path& target);
// Gives `from` the name `to` in one step that never replaces a file there: there are never two
// files or none. A file held open by another program for a moment is tried again as above. False
// when it did not happen (`to` exists, `from` is gone, the folder is read-only); both are then
// as they were.
bool RenameNoReplace(const fs::path& from, const fs::path& to);
// Makes a finished rename in `folder` durable. File systems that cannot flush a folder count as
// flushed; an I/O error does not.
bool SyncFolder(const fs::path& folder);
bool SameFileSystem(const fs::path& a, const fs::path& b);
// Hides a folder of the program's own from the file manager (Explorer shows names that start
// with a dot). Does nothing where such names are hidden already.
void HideFolder(const fs::path& folder);

// What a file's size and modification time do not tell: the time its status (or content) last
// changed, which no tool can set back, and its number on the volume, which a file replaced by a
// rename does not keep. Zero for what the system cannot tell.
struct FileIdentity {
    std::int64_t changedNs = 0; // since the Unix epoch
    std::uint64_t fileNumber = 0;
};
FileIdentity IdentityOf(const fs::path& file);

} // namespace penrica::system
