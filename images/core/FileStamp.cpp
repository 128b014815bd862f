#include "images/core/FileStamp.h"

#include <array>
#include <fstream>
#include <functional>
#include <string_view>

namespace penrica {

namespace {

using Clock = std::filesystem::file_time_type::clock;

struct SizeAndTime {
    std::uintmax_t size;
    std::filesystem::file_time_type modified;
};

std::optional<SizeAndTime> ReadSizeAndTime(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        return std::nullopt;
    }
    const auto modified = std::filesystem::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return SizeAndTime{size, modified};
}

// `now` is taken before the file is looked at: a write after it gets a later time.
bool Settled(std::filesystem::file_time_type modified, std::filesystem::file_time_type now) {
    return now - modified > kSettledAfter;
}

} // namespace

std::optional<std::uint64_t> Fingerprint(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::array<char, 1 << 16> buffer;
    std::uint64_t hash = 0xCBF29CE484222325u;
    while (in) {
        in.read(buffer.data(), buffer.size());
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(in.gcount()));
        // Pieces are hashed whole and chained, which is much faster than hashing byte by byte.
        hash = (hash ^ std::hash<std::string_view>{}(piece)) * 0x100000001B3u;
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return hash;
}

std::optional<FileStamp> TakeStamp(const std::filesystem::path& file) {
    const auto now = Clock::now();
    const std::optional<SizeAndTime> seen = ReadSizeAndTime(file);
    if (!seen) {
        return std::nullopt;
    }
    FileStamp stamp{seen->size, seen->modified, std::nullopt};
    if (!Settled(seen->modified, now)) {
        stamp.fingerprint = Fingerprint(file);
        if (!stamp.fingerprint) {
            return std::nullopt;
        }
    }
    return stamp;
}

bool StillMatches(FileStamp& stamp, const std::filesystem::path& file) {
    const auto now = Clock::now();
    const std::optional<SizeAndTime> seen = ReadSizeAndTime(file);
    if (!seen || seen->size != stamp.size || seen->modified != stamp.modified) {
        return false;
    }
    if (stamp.fingerprint) {
        if (Fingerprint(file) != stamp.fingerprint) {
            return false;
        }
        if (Settled(seen->modified, now)) {
            stamp.fingerprint.reset();
        }
    }
    return true;
}

} // namespace penrica
