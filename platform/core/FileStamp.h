#pragma once
// What tells that a file still holds the bytes it held before, without reading it: its size and
// modification time, and where the system has them its status-change time and file number. Tools
// that keep times (cp -p, unzip, rsync -t, touch -r) can put an old modification time on new
// bytes; the status-change time cannot be set back, and a file replaced by a rename has a new
// number. A missing or unreadable file has no stamp.
//
// Surprise: file systems keep modification times in ticks (a jiffy on Linux, two seconds on FAT),
// so a file written twice within one tick keeps its time, and a same-sized replacement would go
// unnoticed. A stamp taken while the time is that recent also holds a fingerprint of the bytes;
// the fingerprint is checked until the time lies far enough back, and dropped then.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace penrica {

// How far back a modification time must lie before the time alone is trusted.
inline constexpr std::chrono::seconds kSettledAfter{3};

struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::int64_t changedNs = 0; // status-change time since the epoch; 0 where unknown
    std::uint64_t fileNumber = 0;
    std::optional<std::uint64_t> fingerprint; // only while the time is recent
};

std::optional<FileStamp> TakeStamp(const std::filesystem::path& file);

// Whether the file still holds what `stamp` was taken of. Once its time has settled, the stamp
// drops its fingerprint, so later checks read no bytes.
bool StillMatches(FileStamp& stamp, const std::filesystem::path& file);

// A hash of the whole content, read in pieces; nothing when the file cannot be read.
std::optional<std::uint64_t> Fingerprint(const std::filesystem::path& file);

} // namespace penrica
