#include "SoakModel.h"

#include "images/core/AddingRules.h"
#include "images/core/ImageHeader.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"

namespace fs = std::filesystem;

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsFolderKey(const std::string& key) {
    return !key.empty() && key.back() == '/';
}

bool IsSizeFileKey(const std::string& key) {
    const std::string_view name = penrica::kSizeFileName;
    return StartsWith(key, "zhujie/") && std::string_view(key).ends_with(name) &&
           key.size() > name.size() && key[key.size() - name.size() - 1] == '/';
}

// The image a marker folder entry belongs to: "zhujie/<image>/..." gives <image>.
std::string ImageOfMarkerKey(const std::string& key) {
    const std::size_t start = std::string("zhujie/").size();
    const std::size_t slash = key.find('/', start);
    return slash == std::string::npos ? std::string() : key.substr(start, slash - start);
}

bool UnderDeletedImage(const std::string& key, const Expectations& expected) {
    for (const std::string& image : expected.deletedImages) {
        if (key == ImageKey(image) || StartsWith(key, "zhujie/" + image + "/")) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> Find(const Tree& tree, const std::string& key) {
    const auto it = tree.find(key);
    if (it == tree.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace

std::string MarkerKey(const std::string& image, const std::string& record) {
    return "zhujie/" + image + "/" + record;
}

std::string ImageKey(const std::string& image) {
    return "tupian/" + image;
}

Tree ReadTree(const fs::path& programFolder) {
    Tree tree;
    for (const char* top : {"tupian", "zhujie"}) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(programFolder / top, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            // Keys use "/" on every system.
            const std::u8string generic =
                it->path().lexically_relative(programFolder).generic_u8string();
            const std::string key(generic.begin(), generic.end());
            if (it->is_directory()) {
                tree[key + "/"];
            } else {
                tree[key] = penrica::ReadWholeFile(it->path());
            }
        }
    }
    return tree;
}

void NoteMarkers(const Tree& tree, std::set<std::string>& everMarkers) {
    for (const auto& [key, bytes] : tree) {
        if (StartsWith(key, "zhujie/") && !IsFolderKey(key) && !IsSizeFileKey(key)) {
            everMarkers.insert(key);
        }
    }
}

std::optional<std::string> RenamedTo(const Tree& before, const Tree& after,
                                     const Expectations& expected) {
    if (!expected.renamedFrom || after.count(*expected.renamedFrom) != 0) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = Find(before, *expected.renamedFrom);
    const std::string& from = *expected.renamedFrom;
    const std::string folder = from.substr(0, from.rfind('/') + 1);
    const auto name = [](const std::string& key) {
        const auto record = penrica::ParseRecord(key.substr(key.rfind('/') + 1));
        return record ? record->name : std::string("\n");
    };
    for (const auto& [key, now] : after) {
        const bool there = expected.renamedTo
                               ? key == *expected.renamedTo
                               : StartsWith(key, folder) &&
                                     key.find('/', folder.size()) == std::string::npos &&
                                     name(key) == name(from);
        if (there && before.count(key) == 0 && now == bytes) {
            return key;
        }
    }
    return std::nullopt;
}

std::string CheckTree(const Tree& before, const Tree& after, const Expectations& expected,
                      const std::set<std::string>& everMarkers) {
    // A marker moved or renamed as the user asked: the same bytes under the new record.
    const std::optional<std::string> renamedTo = RenamedTo(before, after, expected);
    const std::string addedImage = expected.addedImage ? expected.addedImage->first : "";
    for (const auto& [key, bytes] : after) {
        const std::optional<std::string> old = Find(before, key);
        if (old == bytes) {
            continue;
        }
        if (key == renamedTo) {
            continue;
        }
        if (IsFolderKey(key)) {
            if (!(expected.addedImage && key == "zhujie/" + addedImage + "/")) {
                return "a folder appeared that the user did not add: " + key;
            }
        } else if (expected.saves.count(key) != 0) {
            if (!old && everMarkers.count(key) == 0) {
                return "a save made a marker that the user never added: " + key;
            }
        } else if (IsSizeFileKey(key)) {
            if (!(expected.sizeRepaired ||
                  (expected.addedImage && ImageOfMarkerKey(key) == addedImage && !old))) {
                return "a size file changed untold: " + key;
            }
        } else if (old) {
            return "a file changed that the user did not save: " + key;
        } else if (expected.addedImage && key == ImageKey(addedImage)) {
            const std::string& chosen = expected.addedImage->second;
            const bool asChosen = expected.addedImageScaled
                                      ? penrica::ReadImageSize(bytes) ==
                                            penrica::ScaledToAdd(penrica::ReadImageSize(chosen))
                                      : bytes == chosen;
            if (!asChosen) {
                return "the added image is not the chosen picture: " + key;
            }
        } else if (expected.addedMarker == key) {
            if (!bytes.empty()) {
                return "a new marker is not empty: " + key;
            }
        } else {
            return "a file appeared that the user did not add: " + key;
        }
    }
    for (const auto& [key, bytes] : before) {
        if (after.count(key) == 0 && expected.deletedMarkers.count(key) == 0 &&
            !UnderDeletedImage(key, expected) && !(renamedTo && key == expected.renamedFrom)) {
            return "a file vanished that the user did not delete: " + key;
        }
    }
    for (const auto& [key, bytes] : expected.saves) {
        const std::optional<std::string> now = Find(after, key);
        if (now == bytes) {
            continue;
        }
        if (!(expected.saveFailed && now == Find(before, key))) {
            return "a save did not store what the editor held: " + key;
        }
    }
    for (const std::string& key : expected.deletedMarkers) {
        const std::string folder = key.substr(0, key.rfind('/') + 1);
        const bool locked =
            expected.readOnly.count(key) != 0 || expected.readOnly.count(folder) != 0;
        if (after.count(key) != 0 && expected.saves.count(key) == 0 && !locked) {
            return "a confirmed deletion did not happen: " + key;
        }
    }
    for (const std::string& image : expected.deletedImages) {
        // Introductions that cannot go keep their picture: their folder is read-only, or the
        // marker root ("zhujie//", taken while no image was on show).
        const bool locked = expected.readOnly.count("zhujie/" + image + "/") != 0 ||
                            expected.readOnly.count("zhujie//") != 0;
        if (after.count(ImageKey(image)) != 0 && !locked) {
            return "a confirmed image deletion did not happen: " + image;
        }
    }
    return {};
}
