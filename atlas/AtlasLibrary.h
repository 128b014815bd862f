#pragma once
// The program folder as the atlas shows it: every image in listing order with its markers and
// their introductions, and the reports of what could not be read. Reading never changes the
// program folder and never fails: whatever cannot be read becomes a report in the program's own
// words and the rest goes on.
//
// - A file in a marker folder whose name is not a three-field record: "发现不认识文件：" + name
//   + " 请您删除"; it is no marker.
// - A picture whose size cannot be read from its header (JPEG, PNG, GIF, BMP): "图片错误"; the
//   image keeps its place, without a picture.
// - A marker file that reads under no file key: "穴位介绍无法读取：" + record; the marker stays,
//   with an empty introduction.
// The size file "0！0！0！" is no acupoint: it is not among the markers.

#include "introductions/core/MulticolourText.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/ProgramFolder.h"

#include <functional>
#include <string>
#include <vector>

namespace penrica {

struct AtlasMarker {
    std::string record; // the whole file name, the marker's identity
    MarkerRecord position;
    StyledText introduction;
};

enum class Picture { Readable, Unreadable };

struct AtlasImage {
    std::string name;
    Picture picture = Picture::Unreadable;
    PictureSize size; // from the picture's header, else from the size file
    std::vector<AtlasMarker> markers;
};

struct AtlasReport {
    std::string image;
    std::string text;
    bool operator==(const AtlasReport&) const = default;
};

struct AtlasLibrary {
    std::vector<AtlasImage> images;
    std::vector<AtlasReport> reports;

    std::size_t MarkerCount() const;
};

// Reads the library image by image; `carryOn` hears after each image and stops the reading when
// it answers false (the library read so far is returned).
AtlasLibrary ReadAtlasLibrary(const ProgramFolder& folder,
                              const std::function<bool()>& carryOn = {});

} // namespace penrica
