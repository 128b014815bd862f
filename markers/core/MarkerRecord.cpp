#include "markers/core/MarkerRecord.h"

#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"
#include "platform/core/TextRules.h"

namespace penrica {

std::vector<std::string> SplitRecord(std::string_view record) {
    return SplitText(record, kRecordSeparator);
}

std::string ForeignFileText(std::string_view name) {
    return "发现不认识文件：" + std::string(name) + " 请您删除";
}

std::optional<MarkerRecord> ParseRecord(std::string_view record) {
    std::vector<std::string> fields = SplitRecord(record);
    if (fields.size() != 3) {
        return std::nullopt;
    }
    return MarkerRecord{TextToInt(fields[0]), TextToInt(fields[1]), std::move(fields[2])};
}

std::string MakeRecord(std::int32_t x, std::int32_t y, std::string_view name) {
    std::string record = IntToText(x);
    record += kRecordSeparator;
    record += IntToText(y);
    record += kRecordSeparator;
    record += name;
    record += kRecordSeparator;
    return record;
}

std::filesystem::path MarkerFolder(const ProgramFolder& folder, std::string_view image) {
    return folder.MarkerRoot() / PathFromUtf8(image);
}

std::filesystem::path MarkerFilePath(const ProgramFolder& folder, std::string_view image,
                                     std::string_view record) {
    return MarkerFolder(folder, image) / PathFromUtf8(record);
}

MarkerFile ClassifyMarkerFile(std::string_view fileName) {
    std::optional<MarkerRecord> record = ParseRecord(fileName);
    if (!record) {
        return {};
    }
    return {fileName == kSizeFileName ? MarkerFileKind::SizeFile : MarkerFileKind::Acupoint,
            std::move(*record)};
}

bool IsMarkerOfImage(const ProgramFolder& folder, std::string_view image, std::string_view record) {
    return ClassifyMarkerFile(record).kind == MarkerFileKind::Acupoint && !image.empty() &&
           Exists(MarkerFilePath(folder, image, record));
}

std::vector<std::string> ListMarkerFiles(const ProgramFolder& folder, std::string_view image) {
    return ListFolder(MarkerFolder(folder, image), EntryKind::Files);
}

PictureSize ParseSizeFile(std::string_view bytes) {
    const std::vector<std::string> pieces = SplitRecord(BytesToText(bytes));
    if (pieces.size() != 2) {
        return {};
    }
    const PictureSize size{TextToInt(pieces[0]), TextToInt(pieces[1])};
    // Zero or negative sides are as damaged as a missing number.
    if (size.width <= 0 || size.height <= 0) {
        return {};
    }
    return size;
}

std::string SizeFileBytes(PictureSize size) {
    return EncodeGbk(IntToText(size.width) + std::string(kRecordSeparator) +
                     IntToText(size.height));
}

PictureSize ReadSizeFile(const ProgramFolder& folder, std::string_view image) {
    return ParseSizeFile(ReadWholeFile(MarkerFilePath(folder, image, kSizeFileName)));
}

bool WriteSizeFile(const ProgramFolder& folder, std::string_view image, PictureSize size) {
    return WriteWholeFile(MarkerFilePath(folder, image, kSizeFileName), SizeFileBytes(size),
                          folder.Staging());
}

} // namespace penrica
