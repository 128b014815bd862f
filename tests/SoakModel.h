#pragma once
// What the soak expects of the data folders: the files of `tupian` and `zhujie` change only as
// the user asked in the action just done. The driver notes what the user asked (a save with the
// editor's bytes at that moment, a confirmed delete, a named new marker, a chosen picture) and
// CheckTree compares the folders before and after the action against it.

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

// Paths relative to the program folder, '/'-separated UTF-8; a folder's path ends in '/'.
// Folders map to nothing, files to their bytes.
using Tree = std::map<std::string, std::string>;

// The image folder and the marker root with everything in them.
Tree ReadTree(const std::filesystem::path& programFolder);

struct Expectations {
    // Marker file → the bytes the editor held when the user saved it.
    std::map<std::string, std::string> saves;
    // "保存失败" was shown: a save may have left its file as it was.
    bool saveFailed = false;
    // Marker files and image names whose deletion the user confirmed.
    std::set<std::string> deletedMarkers;
    std::set<std::string> deletedImages;
    // The marker file the user named through "在此添加穴位标志".
    std::optional<std::string> addedMarker;
    // The picture the user chose through "添加图片": its name and bytes.
    std::optional<std::pair<std::string, std::string>> addedImage;
    // The user agreed to add it scaled down: the library holds a smaller picture instead.
    bool addedImageScaled = false;
    // The marker file the user moved or renamed, and its new file: the file may go there whole,
    // or stay where it was when the program refused. With no new file given, any record of the
    // same image and name (a move to wherever the click landed).
    std::optional<std::string> renamedFrom;
    std::optional<std::string> renamedTo;
    // The program told of a repaired size file.
    bool sizeRepaired = false;
    // Files and folders without write permission: deleting in them may fail, silently.
    std::set<std::string> readOnly;
};

// Every marker file that ever existed, so a save may bring a deleted marker back but never
// invent one. Updated from each tree the soak accepts.
void NoteMarkers(const Tree& tree, std::set<std::string>& everMarkers);

// Where the marker file `from` went by a move or a new name, when it did.
std::optional<std::string> RenamedTo(const Tree& before, const Tree& after,
                                     const Expectations& expected);

// The first change of `before` into `after` that the user did not ask for, or empty.
std::string CheckTree(const Tree& before, const Tree& after, const Expectations& expected,
                      const std::set<std::string>& everMarkers);

// "zhujie/<image>/<record>" and "tupian/<image>".
std::string MarkerKey(const std::string& image, const std::string& record);
std::string ImageKey(const std::string& image);
