#pragma once
// The strip's thumbnails, kept in memory for the life of the program so that a refill decodes
// only files that are new or changed. Nothing is written to disk.
//
// A file is known by its path and its stamp (size and modification time, see FileStamp.h). A file
// that cannot be decoded is remembered as a null picture until it changes; a file missing from
// the latest listing is forgotten. Memory: one 30 × 30 picture of at most 4 bytes a pixel per
// file of the latest listing, and never more than kThumbnailCacheLimit of them.

#include "platform/core/FileStamp.h"

#include <QImage>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <unordered_map>
#include <vector>

namespace penrica {

// About 4.4 KB a file with its key (bench_image_library measures it): past this many files, about
// 90 MB, the rest are decoded at every fill.
inline constexpr std::size_t kThumbnailCacheLimit = 20000;

class ThumbnailCache {
public:
    // Thumbnails of the files, in their order; null for a file that cannot be decoded.
    using Decoder = std::function<std::vector<QImage>(const std::vector<std::filesystem::path>&)>;

    // The thumbnails of `files`, in their order. Decodes only the files that are new or changed
    // since they were last asked for, and forgets every file not in `files`.
    std::vector<QImage> Thumbnails(const std::vector<std::filesystem::path>& files);

    // The seam for tests: every decode goes through the decoder. Without one, 30 × 30 thumbnails
    // are decoded on all cores.
    void SetDecoder(Decoder decoder) { decode_ = std::move(decoder); }
    std::size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        FileStamp stamp;
        QImage thumbnail;
    };
    struct PathHash {
        std::size_t operator()(const std::filesystem::path& path) const {
            return std::filesystem::hash_value(path);
        }
    };
    std::unordered_map<std::filesystem::path, Entry, PathHash> entries_;
    Decoder decode_;
};

} // namespace penrica
