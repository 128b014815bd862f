#pragma once
// Finding names by their pinyin. A name's pinyin comes from ICU's Han-Latin transliteration,
// one syllable per Chinese character, lower case, without tone marks (ǜ becomes u); a character
// of two readings gets the one ICU gives. Each name is turned once for the life of the program.
//
// A query is pinyin when it holds only Latin letters (any case, full-width too, tone marks
// allowed, v standing for ü), spaces and apostrophes, and at least one letter. A name's own spaces
// and apostrophes are left out as the query's are. It matches a name that holds a Chinese character
// when, without its spaces and apostrophes, it
// - is found in the name's syllables run together, starting where a syllable starts ("yintang",
//   "yin tang", "tang" and "yint" find 印堂), or
// - is found in the run of the syllables' first letters ("yt" finds 印堂, "zsl" finds 足三里).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

struct NamePinyin {
    // One per character; none when the name holds no Chinese character. Characters other than
    // Chinese ones are pieces of their own, lower case, but for spaces and apostrophes.
    std::vector<std::string> syllables;
    std::string initials; // the syllables' first letters, run together
};

// The name's pinyin, turned on the first call and kept for the life of the program, so the
// reference stays valid. Safe to call from any thread.
const NamePinyin& PinyinOf(std::string_view name);

// The pieces of any text, one per character as a name's syllables are, also when the text holds
// no Chinese character: a part of a name to be read beside syllables from elsewhere.
std::vector<std::string> PinyinPieces(std::string_view text);

// A reading made of given syllables, with their initials.
NamePinyin PinyinFromSyllables(std::vector<std::string> syllables);

// The query as it is matched ("Yìn Táng" gives "yintang"), or nothing when it is no pinyin.
std::optional<std::string> PinyinQuery(std::string_view text);

bool PinyinMatches(const NamePinyin& pinyin, std::string_view query);

} // namespace penrica
