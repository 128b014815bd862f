#pragma once
// The acupoint search over every image's marker folder. It lists folders and splits file names
// only; no marker file is opened. A missing marker root gives no rows.

#include "platform/core/ProgramFolder.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

struct SearchRow {
    std::string name;   // the acupoint name, field 3 of the record
    std::string image;  // the marker folder's name
    std::string record; // the whole file name

    bool operator==(const SearchRow&) const = default;
};

// True when `text` occurs in `name` starting at a character boundary (case-sensitive bytes).
bool NameContains(std::string_view name, std::string_view text);

// Every marker whose name contains `text`, in listing order; then, when `text` is pinyin, every
// other marker whose name it matches (Pinyin.h), in listing order; then every other marker that
// is a standard point the text names by its code, its meridian or its standard reading
// (StandardAcupoints.h), in listing order. `onMalformed` hears of each file
// name that is not a three-field record, when it is met; one with more than three fields is
// still searched by its third field.
std::vector<SearchRow> SearchAcupoints(const ProgramFolder& folder, std::string_view text,
                                       const std::function<void(const std::string&)>& onMalformed);

} // namespace penrica
