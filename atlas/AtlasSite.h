#pragma once
// Writes the atlas of a program folder into an output folder (AtlasOutput.h): the page with its
// style and script inside, the library as a data file (AtlasData.h), and a copy of every readable
// picture. The site needs no network and opens from file://.
//
// Nothing in the program folder is ever changed: an output folder that is the program folder or
// lies inside it is refused, and so is one that holds the program folder. An output folder that
// holds other files and no atlas is refused too, so nothing of the user's is overwritten; a
// former atlas is written over, and its pictures that the new one does not use are removed.

#include "atlas/AtlasOutput.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace penrica {

enum class SiteError {
    None,
    NotProgramFolder,
    OutputInsideProgramFolder,
    ProgramFolderInsideOutput,
    OutputInUse,
    OutputNotWritable,
    Cancelled
};

inline constexpr const char* kAtlasCancelled = "已取消生成学习图谱";

struct SiteResult {
    SiteError error = SiteError::None;
    std::string message; // one line for the user when there is an error
    std::size_t images = 0;
    std::size_t markers = 0;
    std::size_t reports = 0;
};

// Hears of each step done (an image read, a picture copied) out of all steps, and answers
// whether to go on.
using SiteProgress = std::function<bool(std::size_t done, std::size_t total)>;

// A run cancelled through `progress` leaves no page that looks whole: it stops before it writes
// anything; once it has begun to copy pictures, it removes them from a folder that was new or
// empty, and the page from a former atlas.
SiteResult WriteAtlasSite(const std::filesystem::path& programFolder,
                          const std::filesystem::path& output, const SiteProgress& progress = {});

// "图片 3 张，穴位 12 个，报告 1 条：OUTPUT/index.html"
std::string SummaryLine(const SiteResult& result, const std::filesystem::path& output);

// The page, as the generator writes it.
std::string_view AtlasPage();

} // namespace penrica
