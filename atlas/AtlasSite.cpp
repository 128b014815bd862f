#include "atlas/AtlasSite.h"

#include "atlas/AtlasData.h"
#include "atlas/AtlasLibrary.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/TextRules.h"

#include <algorithm>
#include <optional>
#include <set>
#include <system_error>

namespace penrica {

namespace {

SiteResult Failure(SiteError error, std::string message) {
    SiteResult result;
    result.error = error;
    result.message = std::move(message);
    return result;
}

std::string Shown(const fs::path& path) {
    return PathToUtf8(path);
}

// Whether `inner` is `outer` or lies inside it, after resolving links and "..".
bool Within(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(fs::absolute(inner, ec), ec);
    const fs::path b = fs::weakly_canonical(fs::absolute(outer, ec), ec);
    auto [end, _] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return end == b.end();
}

// Files.h's rule decides whether the folder may be written, whoever runs the
// program. For a folder still to be made, its nearest existing ancestor decides.
bool MayWriteInto(fs::path folder) {
    std::error_code ec;
    folder = fs::absolute(folder, ec);
    while (!Exists(folder) && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    return IsFolder(folder) && FolderMayBeWritten(folder);
}

// Why `folder` is no program folder, or nothing when it is one.
std::optional<std::string> NotAProgramFolder(const ProgramFolder& folder) {
    const std::string shown = Shown(folder.Root());
    if (!Exists(folder.Root())) {
        return "程序文件夹不存在：" + shown;
    }
    const std::string notOne = "不是 Penrica 的程序文件夹";
    if (!IsFolder(folder.Root())) {
        return notOne + "（这是一个文件）：" + shown;
    }
    const bool images = IsFolder(folder.ImageFolder());
    const bool markers = IsFolder(folder.MarkerRoot());
    if (images && markers) {
        return std::nullopt;
    }
    const std::string missing = !images && !markers ? "tupian 和 zhujie"
                                : images            ? "zhujie"
                                                    : "tupian";
    return notOne + "（其中没有 " + missing + " 文件夹）：" + shown;
}

// Why the atlas of `folder` may not be written into `output`, or nothing when it may.
std::optional<SiteResult> Refusal(const ProgramFolder& folder, const fs::path& output) {
    if (std::optional<std::string> reason = NotAProgramFolder(folder)) {
        return Failure(SiteError::NotProgramFolder, *reason);
    }
    if (Within(output, folder.Root())) {
        return Failure(SiteError::OutputInsideProgramFolder,
                       "输出文件夹不能在程序文件夹里面，图谱不会改动程序文件夹：" + Shown(output));
    }
    if (Within(folder.Root(), output)) {
        return Failure(SiteError::ProgramFolderInsideOutput,
                       "程序文件夹不能在输出文件夹里面，请另选一个输出文件夹：" + Shown(output));
    }
    if ((Exists(output) && !IsFolder(output)) || !MayWriteInto(output)) {
        return Failure(SiteError::OutputNotWritable, "无法写入输出文件夹：" + Shown(output));
    }
    if (ClassifyOutput(output) == OutputContent::Other) {
        return Failure(SiteError::OutputInUse,
                       "输出文件夹里已有别的文件，请选一个空文件夹：" + Shown(output));
    }
    return std::nullopt;
}

SiteResult NotWritten(const fs::path& file) {
    return Failure(SiteError::OutputNotWritable, "无法写入输出文件夹：" + Shown(file));
}

} // namespace

SiteResult WriteAtlasSite(const fs::path& programFolder, const fs::path& output,
                          const SiteProgress& progress) {
    const ProgramFolder folder(programFolder);
    if (std::optional<SiteResult> refusal = Refusal(folder, output)) {
        return *refusal;
    }
    // The steps are reading each image, told once it is read, and copying each picture, told
    // before the copy is made.
    const std::size_t total = 2 * ListFolder(folder.ImageFolder(), EntryKind::Files).size();
    std::size_t done = 0;
    bool cancelled = false;
    auto carryOn = [&] {
        cancelled = cancelled || (progress && !progress(++done, total));
        return !cancelled;
    };
    const AtlasLibrary library = ReadAtlasLibrary(folder, carryOn);
    // The last question before anything is written.
    if (cancelled || (!library.images.empty() && !carryOn())) {
        return Failure(SiteError::Cancelled, kAtlasCancelled);
    }
    const OutputContent before = ClassifyOutput(output);
    std::error_code ec;
    const fs::path pictures = output / kPictureFolder;
    fs::create_directories(pictures, ec);
    if (ec || !IsFolder(pictures)) {
        return NotWritten(pictures);
    }

    std::vector<std::string> copies;
    std::set<std::string> used;
    for (std::size_t i = 0; i < library.images.size(); ++i) {
        if (i > 0 && !carryOn()) {
            if (before == OutputContent::Missing || before == OutputContent::Empty) {
                // Everything here is this run's: the folder goes back to what it was.
                RemoveUnusedPictures(pictures, {});
                fs::remove(pictures, ec);
                if (before == OutputContent::Missing) {
                    fs::remove(output, ec);
                }
            } else {
                // Some pictures are new already: the former page would show them wrongly.
                DeleteFile(output / kPageFile);
            }
            return Failure(SiteError::Cancelled, kAtlasCancelled);
        }
        const AtlasImage& image = library.images[i];
        if (image.picture != Picture::Readable) {
            copies.emplace_back();
            continue;
        }
        const std::string name = PictureName(i + 1, image.name);
        const fs::path copy = pictures / name;
        if (!CopySiteFile(ImageFile(folder, image.name), copy)) {
            return NotWritten(copy);
        }
        copies.push_back(std::string(kPictureFolder) + "/" + name);
        used.insert(name);
    }
    if (!WriteSiteFile(output / kDataFile, AtlasDataScript(library, copies))) {
        return NotWritten(output / kDataFile);
    }
    if (!WriteSiteFile(output / kPageFile, AtlasPage())) {
        return NotWritten(output / kPageFile);
    }
    RemoveUnusedPictures(pictures, used);

    SiteResult result;
    result.images = library.images.size();
    result.markers = library.MarkerCount();
    result.reports = library.reports.size();
    return result;
}

std::string SummaryLine(const SiteResult& result, const fs::path& output) {
    auto count = [](std::size_t n) { return IntToText(static_cast<std::int64_t>(n)); };
    return "图片 " + count(result.images) + " 张，穴位 " + count(result.markers) + " 个，报告 " +
           count(result.reports) + " 条：" + Shown(output / kPageFile);
}

} // namespace penrica
