#include "atlas/AtlasLibrary.h"

#include "images/core/ImageHeader.h"
#include "introductions/core/MulticolourText.h"
#include "platform/core/Files.h"

namespace penrica {

namespace {

// Enough for the headers of nearly every picture; a JPEG whose frame header lies further back
// (behind large embedded previews or colour profiles) is read whole.
constexpr std::size_t kHeadBytes = 64 * 1024;

PictureSize ReadPictureSize(const fs::path& file) {
    const std::string head = ReadFileStart(file, kHeadBytes);
    const PictureSize size = ReadImageSize(head);
    if ((size.width > 0 && size.height > 0) || head.size() < kHeadBytes) {
        return size;
    }
    return ReadImageSize(ReadWholeFile(file));
}

AtlasImage ReadImage(const ProgramFolder& folder, const std::string& name,
                     std::vector<AtlasReport>& reports) {
    AtlasImage image;
    image.name = name;
    image.size = ReadPictureSize(ImageFile(folder, name));
    if (image.size.width > 0 && image.size.height > 0) {
        image.picture = Picture::Readable;
    } else {
        image.size = ReadSizeFile(folder, name);
        reports.push_back({name, "图片错误"});
    }
    for (std::string& record : ListMarkerFiles(folder, name)) {
        MarkerFile file = ClassifyMarkerFile(record);
        if (file.kind == MarkerFileKind::Foreign) {
            reports.push_back({name, ForeignFileText(record)});
        }
        if (file.kind != MarkerFileKind::Acupoint) {
            continue;
        }
        DecodedIntroduction introduction =
            DecodeIntroductionFile(ReadWholeFile(MarkerFilePath(folder, name, record)));
        if (!introduction.key) {
            reports.push_back({name, "穴位介绍无法读取：" + record});
        }
        image.markers.push_back(
            {std::move(record), std::move(file.record), std::move(introduction.content)});
    }
    return image;
}

} // namespace

std::size_t AtlasLibrary::MarkerCount() const {
    std::size_t count = 0;
    for (const AtlasImage& image : images) {
        count += image.markers.size();
    }
    return count;
}

AtlasLibrary ReadAtlasLibrary(const ProgramFolder& folder, const std::function<bool()>& carryOn) {
    AtlasLibrary library;
    for (const std::string& name : ListFolder(folder.ImageFolder(), EntryKind::Files)) {
        library.images.push_back(ReadImage(folder, name, library.reports));
        if (carryOn && !carryOn()) {
            break;
        }
    }
    return library;
}

} // namespace penrica
