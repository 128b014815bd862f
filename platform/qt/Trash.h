#pragma once
// Deleting by way of the system's trash (the Recycle Bin on Windows, the freedesktop trash on
// Linux), from where the user can restore what was deleted. A file or folder goes there whole,
// in one move. Where the drive has no trash (a USB stick, a network share), it is deleted for
// good instead, as the program's questions warn. A trash that refuses the move (full, not
// writable) keeps the file where it was: Failed. A folder whose write permission is off keeps
// its entries either way, as it does for every other change the program makes.

#include <filesystem>

namespace penrica {

enum class Removal { Trashed, Deleted, Failed };

// A file.
Removal RemoveFile(const std::filesystem::path& file);
// A folder with everything in it: in the trash whole, or deleted whole where the drive has no
// trash. Failed when anything of it is left where it was.
Removal RemoveFolder(const std::filesystem::path& folder);

} // namespace penrica
