#include "atlas/AtlasSite.h"

#include "atlas/AtlasData.h"
#include "atlas/AtlasLibrary.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/TextRules.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace penrica {

namespace {

constexpr std::string_view kDataStart = "window.penricaAtlas = ";

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

// Files.h's rule: a folder without its owner's write permission is read-only, whoever runs the
// program. For a folder still to be made, its nearest existing ancestor decides.
bool MayWriteInto(fs::path folder) {
    std::error_code ec;
    folder = fs::absolute(folder, ec);
    while (!Exists(folder) && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    const fs::perms perms = fs::status(folder, ec).permissions();
    return !ec && IsFolder(folder) && (perms & fs::perms::owner_write) != fs::perms::none;
}

bool IsFormerAtlas(const fs::path& output) {
    return ReadWholeFile(output / kDataFile).starts_with(kDataStart);
}

bool IsEmptyFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_empty(folder, ec) && !ec;
}

// pictures/N.ext, with the image name's extension when it is a plain one.
std::string PictureName(std::size_t place, std::string_view imageName) {
    std::string name = IntToText(static_cast<std::int64_t>(place));
    const std::size_t dot = imageName.rfind('.');
    if (dot == std::string_view::npos) {
        return name;
    }
    const std::string_view extension = imageName.substr(dot + 1);
    const bool plain =
        !extension.empty() && extension.size() <= 5 &&
        std::all_of(extension.begin(), extension.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        });
    if (plain) {
        name += '.';
        for (char c : extension) {
            name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return name;
}

void RemoveUnusedPictures(const fs::path& folder, const std::set<std::string>& used) {
    for (const std::string& name : ListFolder(folder, EntryKind::Files)) {
        if (!used.contains(name)) {
            DeleteFile(folder / PathFromUtf8(name));
        }
    }
}

} // namespace

SiteResult WriteAtlasSite(const fs::path& programFolder, const fs::path& output) {
    const ProgramFolder folder(programFolder);
    if (!IsFolder(folder.ImageFolder()) || !IsFolder(folder.MarkerRoot())) {
        return Failure(SiteError::NotProgramFolder,
                       "不是 Penrica 的程序文件夹（其中没有 tupian 和 zhujie 文件夹）：" +
                           Shown(programFolder));
    }
    if (Within(output, programFolder) || Within(programFolder, output / kPictureFolder)) {
        return Failure(SiteError::OutputInsideProgramFolder,
                       "输出文件夹不能在程序文件夹里面，图谱不会改动程序文件夹：" + Shown(output));
    }
    const std::string notWritable = "无法写入输出文件夹：" + Shown(output);
    if ((Exists(output) && !IsFolder(output)) || !MayWriteInto(output)) {
        return Failure(SiteError::OutputNotWritable, notWritable);
    }
    if (IsFolder(output) && !IsEmptyFolder(output) && !IsFormerAtlas(output)) {
        return Failure(SiteError::OutputInUse,
                       "输出文件夹里已有别的文件，请选一个空文件夹：" + Shown(output));
    }
    std::error_code ec;
    const fs::path pictures = output / kPictureFolder;
    fs::create_directories(pictures, ec);
    if (ec || !IsFolder(pictures)) {
        return Failure(SiteError::OutputNotWritable, notWritable);
    }

    const AtlasLibrary library = ReadAtlasLibrary(folder);
    std::vector<std::string> copies;
    std::set<std::string> used;
    for (std::size_t i = 0; i < library.images.size(); ++i) {
        const AtlasImage& image = library.images[i];
        if (image.picture != Picture::Readable) {
            copies.emplace_back();
            continue;
        }
        const std::string name = PictureName(i + 1, image.name);
        const std::string bytes = ReadWholeFile(ImageFile(folder, image.name));
        if (!WriteWholeFile(pictures / name, bytes)) {
            return Failure(SiteError::OutputNotWritable, notWritable);
        }
        copies.push_back(std::string(kPictureFolder) + "/" + name);
        used.insert(name);
    }
    if (!WriteWholeFile(output / kDataFile, AtlasDataScript(library, copies)) ||
        !WriteWholeFile(output / kPageFile, AtlasPage())) {
        return Failure(SiteError::OutputNotWritable, notWritable);
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
