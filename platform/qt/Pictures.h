#pragma once
// Loading and measuring pictures (JPEG, BMP, GIF, PNG). A file that is missing, unreadable or
// too large to decode gives a null picture and a size of 0 × 0; nothing here throws. A file cut
// short gives a null picture, except a BMP, which gives the rows it holds; it measures as its
// header says while its header is whole.

#include "platform/core/PictureSize.h"

#include <QImage>
#include <QSize>

#include <filesystem>
#include <string>
#include <vector>

namespace penrica {

// Pictures larger than this on a side are decoded shrunk to fit, so memory stays bounded.
inline constexpr int kLargestDecodedSide = 4096;

QImage LoadPicture(const std::filesystem::path& file);
// Decoded at (or near) the requested size; JPEG decodes at a fraction of its size directly.
QImage LoadThumbnail(const std::filesystem::path& file, QSize size);
// Thumbnails of many files, decoded on all cores; the result is in the order of `files`, with a
// null image for every file that cannot be loaded.
std::vector<QImage> LoadThumbnails(const std::vector<std::filesystem::path>& files, QSize size);
// Width and height as the picture service sees them; 0 × 0 when it cannot load the file.
PictureSize MeasurePicture(const std::filesystem::path& file);

// Whether a copy of the picture can be written in the picture's own format, as the file's bytes
// tell it (not its name): GIF, for one, can be read but not written.
bool CanRewritePicture(const std::filesystem::path& file);
// A phone photo lies on its side in the file, with a note of how to turn it that the phone and
// every viewer follow. `size` as the file holds it gives the size as the photo is seen: its
// sides swapped when the note turns it a quarter. Other pictures keep `size`.
PictureSize UprightSize(const std::filesystem::path& file, PictureSize size);
// The picture, turned upright as above, decoded straight at `size` (a JPEG never wholly at its
// own size) and encoded in its own format, a JPEG at high quality. The copy keeps no note, so
// it is seen the same everywhere. Empty when it cannot be decoded at that size, for one too
// large to decode, or its format cannot be written. The file itself is only read.
std::string ScaledPictureBytes(const std::filesystem::path& file, QSize size);

} // namespace penrica
