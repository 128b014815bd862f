#pragma once
// The atlas's data file: the library as one JavaScript statement that hands the page its data,
//   window.penricaAtlas = {"images": [...], "reports": [...]};
// loaded with a plain <script src>, which works from file:// where fetching JSON does not.
//
// Every text goes in as a JSON string that cannot end the script or the statement early:
// quotes, backslashes, control characters, "<", ">", "&" and U+2028/U+2029 are escaped, and bytes
// that are not UTF-8 (a file name from another system) become U+FFFD. The page itself puts texts
// into the document only as text, never as markup.
//
// An image:  {"name", "picture" (its copy's path in the site, "" without one), "width",
//             "height", "markers": [...]}
// A marker:  {"record", "name", "x", "y", "pinyin" (the name's syllables, Pinyin.h; none
//             for a name without Chinese characters), "runs": [...]}
// A run:     {"text" (line breaks "\n"), "font" (a CSS font-family list), "size" (points),
//             "effects" (the effect bits), "colour" ("#rrggbb", "" for the automatic colour)}
// A report:  {"image", "text"}

#include "atlas/AtlasLibrary.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

// `text` as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// The CSS font-family list for a face: the face, then its substitutes, each a CSS string.
std::string CssFontFamily(std::string_view face);

// "#rrggbb" for a 0x00BBGGRR colour; "" for the automatic colour.
std::string CssColour(std::uint32_t colour);

// The data file's text. `pictures` holds each image's copy path in the site ("" without one),
// in the order of `library.images`.
std::string AtlasDataScript(const AtlasLibrary& library, const std::vector<std::string>& pictures);

} // namespace penrica
