#include "images/ThumbnailCache.h"

#include "images/core/StripRules.h"
#include "platform/qt/Pictures.h"

#include <unordered_set>

namespace penrica {

namespace {

const QSize kThumbnailSize(kThumbnailSide, kThumbnailSide);

// What the cache keeps is never larger than the strip draws it, whatever the decoder gave.
QImage Bounded(QImage thumbnail) {
    if (thumbnail.isNull()) {
        return thumbnail;
    }
    if (thumbnail.size() != kThumbnailSize) {
        thumbnail = thumbnail.scaled(kThumbnailSize);
    }
    if (thumbnail.depth() > 32) {
        thumbnail = thumbnail.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return thumbnail;
}

} // namespace

std::vector<QImage> ThumbnailCache::Thumbnails(const std::vector<std::filesystem::path>& files) {
    std::vector<QImage> thumbnails(files.size());
    std::vector<std::filesystem::path> toDecode;
    std::vector<std::size_t> positions;
    std::vector<std::optional<FileStamp>> stamps;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto found = entries_.find(files[i]);
        if (found != entries_.end() && StillMatches(found->second.stamp, files[i])) {
            thumbnails[i] = found->second.thumbnail;
            continue;
        }
        // Stamped before decoding: a write after this moment changes the stamp.
        stamps.push_back(TakeStamp(files[i]));
        toDecode.push_back(files[i]);
        positions.push_back(i);
    }

    const std::unordered_set<std::filesystem::path, PathHash> listed(files.begin(), files.end());
    std::erase_if(entries_, [&](const auto& entry) { return !listed.contains(entry.first); });

    if (toDecode.empty()) {
        return thumbnails;
    }
    std::vector<QImage> decoded =
        decode_ ? decode_(toDecode) : LoadThumbnails(toDecode, kThumbnailSize);
    decoded.resize(toDecode.size());
    for (std::size_t k = 0; k < toDecode.size(); ++k) {
        QImage thumbnail = Bounded(std::move(decoded[k]));
        if (stamps[k] &&
            (entries_.size() < kThumbnailCacheLimit || entries_.contains(toDecode[k]))) {
            entries_.insert_or_assign(toDecode[k], Entry{*stamps[k], thumbnail});
        } else {
            entries_.erase(toDecode[k]); // gone or unreadable while it was stamped
        }
        thumbnails[positions[k]] = std::move(thumbnail);
    }
    return thumbnails;
}

} // namespace penrica
