#pragma once
// The atlas's data file: the library as one JavaScript statement that hands the page its data,
//   window.penricaAtlas = {"images": [...], "reports": [...], "standard": {...}};
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
//             for a name without Chinese characters), "points" (the standard point the name
//             is, as indices into the standard's points: one, two for a point the standard
//             gives twice, none for other names), "reading" (the name's syllables with the
//             standard's reading for the point's part; none for other names), "runs": [...]}
// A run:     {"text" (line breaks "\n"), "font" (a CSS font-family list), "size" (points),
//             "effects" (the effect bits), "colour" ("#rrggbb", "" for the automatic colour)}
// A report:  {"image", "text"}
// The standard, all from the built-in table (StandardAcupoints.h), so the page holds no point
// of its own:
//   {"meridians": [{"prefix", "fullName", "shortName", "extra" (true for the extra points),
//                   "points" (indices, in code order)}],
//    "points": [{"code" ("EX-HN3"), "key" (the code as queries are looked up: "EXHN3"), "name",
//                "reading" (tone marks kept: "zúsānlǐ"), "meridian" (an index)}],
//    "older": {older letters: the standard's letters, "DU": "GV"}}

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
