#include "platform/core/FileStamp.h"

#include "platform/core/SystemCalls.h"

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
    std::int64_t changedNs = 0;
    std::uint64_t fileNumber = 0;

    bool SameAs(const FileStamp& stamp) const {
        return size == stamp.size && modified == stamp.modified && changedNs == stamp.changedNs &&
               fileNumber == stamp.fileNumber;
    }
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
    SizeAndTime seen{size, modified};
    const system::FileIdentity identity = system::IdentityOf(file);
    seen.changedNs = identity.changedNs;
    seen.fileNumber = identity.fileNumber;
    return seen;
}

struct Now {
    std::filesystem::file_time_type file = Clock::now();
    std::int64_t epochNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
};

// `now` is taken before the file is looked at: a write after it gets a later time. Both the
// modification and the status-change time must lie far enough back.
bool Settled(const SizeAndTime& seen, const Now& now) {
    const auto changedAgo = std::chrono::nanoseconds(now.epochNs - seen.changedNs);
    return now.file - seen.modified > kSettledAfter && changedAgo > kSettledAfter;
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
    const Now now;
    const std::optional<SizeAndTime> seen = ReadSizeAndTime(file);
    if (!seen) {
        return std::nullopt;
    }
    FileStamp stamp{seen->size, seen->modified, seen->changedNs, seen->fileNumber, std::nullopt};
    if (!Settled(*seen, now)) {
        stamp.fingerprint = Fingerprint(file);
        if (!stamp.fingerprint) {
            return std::nullopt;
        }
    }
    return stamp;
}

bool StillMatches(FileStamp& stamp, const std::filesystem::path& file) {
    const Now now;
    const std::optional<SizeAndTime> seen = ReadSizeAndTime(file);
    if (!seen || !seen->SameAs(stamp)) {
        return false;
    }
    if (stamp.fingerprint) {
        if (Fingerprint(file) != stamp.fingerprint) {
            return false;
        }
        if (Settled(*seen, now)) {
            stamp.fingerprint.reset();
        }
    }
    return true;
}

} // namespace penrica
