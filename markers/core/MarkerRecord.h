#pragma once
// Marker records and the files behind them. A marker is a file in its image's marker folder whose
// name is the record X！Y！NAME！; the folder also holds the size file "0！0！0！" (W！H).
// A missing marker folder reads as an empty list; a damaged size file reads as 0 × 0.

#include "platform/core/PictureSize.h"
#include "platform/core/ProgramFolder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

inline constexpr std::string_view kRecordSeparator = "！";
inline constexpr std::string_view kSizeFileName = "0！0！0！";

struct MarkerRecord {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string name;
};

std::vector<std::string> SplitRecord(std::string_view record);
// The report of a file in a marker folder that is no marker: `name` is its file name.
std::string ForeignFileText(std::string_view name);
// The record's position and name when it splits into exactly three fields.
std::optional<MarkerRecord> ParseRecord(std::string_view record);
std::string MakeRecord(std::int32_t x, std::int32_t y, std::string_view name);

std::filesystem::path MarkerFolder(const ProgramFolder& folder, std::string_view image);
std::filesystem::path MarkerFilePath(const ProgramFolder& folder, std::string_view image,
                                     std::string_view record);

// What a file in a marker folder is, by its name alone. Every part of the program asks this one
// question; each then treats the kinds its own way, on purpose:
// - hover tests acupoints and the size file alike (the size file is a record of "0" at (0, 0))
//   and reports each foreign file on the panel;
// - opening and deleting take acupoints only (IsMarkerOfImage);
// - the search and the list find acupoints and the size file by their name; a foreign name of
//   more than three fields is searched by its third field too, and every foreign file is
//   reported;
// - the atlas lists acupoints only: the size file is skipped, a foreign file reported.
enum class MarkerFileKind {
    Acupoint, // X！Y！NAME！: three fields
    SizeFile, // "0！0！0！": the picture's width and height
    Foreign,  // any other name
};
struct MarkerFile {
    MarkerFileKind kind = MarkerFileKind::Foreign;
    MarkerRecord record; // the three fields; empty for a foreign file
};
MarkerFile ClassifyMarkerFile(std::string_view fileName);

// Whether a record under the mouse names a marker of the image on show, so that it may be opened
// or deleted. While hover detection is off the record may still name a marker of the image shown
// before, or one deleted since. The size file reads as marker "0" at (0, 0), but it holds the
// image's size: a save over it would lose the size, and deleting it would lose it too.
bool IsMarkerOfImage(const ProgramFolder& folder, std::string_view image, std::string_view record);

// The files (never sub-folders) of the image's marker folder, in listing order, the size file
// included.
std::vector<std::string> ListMarkerFiles(const ProgramFolder& folder, std::string_view image);

// The size file's text (GBK bytes, up to the first zero byte) as width and height; 0 × 0 unless
// it holds exactly two pieces that are both positive numbers.
PictureSize ParseSizeFile(std::string_view bytes);
std::string SizeFileBytes(PictureSize size);
PictureSize ReadSizeFile(const ProgramFolder& folder, std::string_view image);
bool WriteSizeFile(const ProgramFolder& folder, std::string_view image, PictureSize size);

} // namespace penrica
