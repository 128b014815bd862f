#pragma once
// The output folder of the atlas and the files in it that are the atlas's own:
//   index.html       the page
//   atlas-data.js    the data file
//   pictures/N.ext   the picture copies, N the image's place in the strip, ext its lowercase
//                    extension when that is plain ("1.jpg", "12.bmp", "3")
// Only files of these names are ever written or removed; anything else in the folder stays.
//
// The site can be made again at any time, so its files are written plainly, without flushing
// them to the disk: a write gives the whole file or reports failure and leaves no part of it.

#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace penrica {

inline constexpr std::string_view kPageFile = "index.html";
inline constexpr std::string_view kDataFile = "atlas-data.js";
inline constexpr std::string_view kPictureFolder = "pictures";

// How the page and the data file begin, whoever wrote them and whenever.
inline constexpr std::string_view kPageStart =
    "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"generator\" content=\"penrica-atlas\">\n";
inline constexpr std::string_view kDataStart = "window.penricaAtlas = ";

enum class OutputContent {
    Missing, // no such folder yet
    Empty,
    // A former atlas: its data file or its page begins as the atlas's does, whatever else the
    // user put beside it; or the folder holds nothing but files the atlas writes, each possibly
    // cut short, as a failed run into a new folder leaves it.
    FormerAtlas,
    Other,
};

OutputContent ClassifyOutput(const std::filesystem::path& output);

std::string PictureName(std::size_t place, std::string_view imageName);
bool IsPictureName(std::string_view name);

// False when the file could not be written whole; nothing of it is left then. An existing file
// of that name is replaced, never written through (a link elsewhere stays as it was).
bool WriteSiteFile(const std::filesystem::path& path, std::string_view bytes);
bool CopySiteFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the files in `pictures` named as the atlas names its pictures that are not in `used`.
void RemoveUnusedPictures(const std::filesystem::path& pictures, const std::set<std::string>& used);

} // namespace penrica
