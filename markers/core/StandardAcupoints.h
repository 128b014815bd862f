#pragma once
// The standard acupoints: each point's code, name, reading and meridian, from the table
// StandardAcupoints.tsv built into the program. A table row that does not have its fields is
// left out (the built-in table has none such; its shape test says so).
//
// Which point a marker is comes from its name alone: the point whose name is the whole name, or
// else the point whose name the name holds, the longest such name deciding ("足三里（左）" is
// ST36, "气海俞" is BL24 and never CV6 气海). A name written in two ways is that point either
// way. Nothing of this is stored.

#include "platform/core/Pinyin.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace penrica {

struct Meridian {
    std::string prefix;    // "ST", "EX" for the extra points
    std::string fullName;  // 足阳明胃经
    std::string shortName; // 胃经
};

struct StandardPoint {
    std::string code;                 // "ST36", "EX-HN3"
    std::string name;                 // 足三里
    std::vector<std::string> reading; // with tone marks, one syllable per character: zú sān lǐ
    std::vector<std::string> plain;   // the same in plain letters, as queries are matched
    std::size_t meridian = 0;         // into the table's meridians
    std::vector<std::string> otherNames; // the same name written otherwise
};

// A marker name's standard point, as the search and the atlas see it.
struct NameStandard {
    // The table's rows of that point's name: one, or two for a name the standard gives twice
    // (印堂 is GV29 and EX-HN3); none when the name holds no standard name.
    std::vector<const StandardPoint*> points;
    // The name read with the table's syllables for the point's part and ICU's for the rest;
    // no syllables when the name is no standard point.
    NamePinyin reading;
};

class AcupointTable {
public:
    static AcupointTable Parse(std::string_view text);

    const std::vector<Meridian>& Meridians() const { return meridians_; }
    const std::vector<StandardPoint>& Points() const { return points_; }
    const Meridian& MeridianOf(const StandardPoint& point) const;

    // The rows of the point a marker name is.
    std::vector<const StandardPoint*> PointsOfName(std::string_view name) const;
    NameStandard StandardOfName(std::string_view name) const;

    // The point a query names as a code: letters and number in any case, "-" and spaces
    // anywhere ("ST36", "st 36", "EX-HN3", "exhn3"), the older letters too ("Du14", "SJ5").
    const StandardPoint* PointOfCode(std::string_view query) const;
    // The query's code in plain form ("ST36", "EXHN3"), or nothing when it is no code. A code that
    // names no point still has a form.
    std::optional<std::string> CodeKey(std::string_view query) const;
    // The letters of a code that a query of two letters or more may begin ("st", "ex-hn",
    // "Du" as "GV"), or nothing when it holds anything but letters.
    std::optional<std::string> CodeLetters(std::string_view query) const;
    // The meridian a query names by its full or short name ("足阳明胃经", "胃经", "经外奇穴").
    std::optional<std::size_t> MeridianOfQuery(std::string_view query) const;

    // The older letters of the codes and the standard's letters for them: "DU" → "GV".
    const std::vector<std::pair<std::string, std::string>>& OlderLetters() const {
        return olderLetters_;
    }

private:
    std::string StandardLetters(std::string prefix) const;
    // The first point of the written name that the name is or holds, and that writing.
    std::optional<std::pair<std::size_t, std::string_view>> HeldName(std::string_view name) const;

    std::vector<Meridian> meridians_;
    std::vector<StandardPoint> points_;
    std::vector<std::pair<std::string, std::string>> olderLetters_;
    std::unordered_map<std::string, std::size_t> byKey_;  // CodeKey → point
    std::unordered_map<std::string, std::size_t> byName_; // a written name → its first point
    // Every written name with its first point, longest first: the names a name may hold.
    std::vector<std::pair<std::string, std::size_t>> heldNames_;
};

// The table built into the program, read on the first call. Safe to call from any thread.
const AcupointTable& StandardAcupoints();

// A marker name's standard point in the built-in table, worked out on the first call and kept
// for the life of the program. Safe to call from any thread.
const NameStandard& StandardOf(std::string_view name);

// The reading run together, tone marks kept: "zúsānlǐ".
std::string ReadingText(const StandardPoint& point);

// "ST36 足三里 zúsānlǐ · 足阳明胃经".
std::string PointSummary(const StandardPoint& point);

// Whether a standard name and a query match as a search or suggestion does.
struct StandardQuery {
    std::optional<std::string> pinyin;   // PinyinQuery
    const StandardPoint* code = nullptr; // PointOfCode
    std::optional<std::size_t> meridian; // MeridianOfQuery
};
StandardQuery ReadStandardQuery(std::string_view text);
// Whether the query names the standard point a marker name is: by code, meridian or reading.
bool NamesStandardPoint(const NameStandard& standard, const StandardQuery& query);

// The standard points offered while a name is typed: exact code or name first, then names,
// readings and codes that start with the text, then the rest where the name holds the text or
// its reading matches; table order within each, at most `limit`.
std::vector<const StandardPoint*> SuggestPoints(std::string_view typed, std::size_t limit = 10);

// The suggestion's line: "足三里  ST36  zúsānlǐ".
std::string SuggestionText(const StandardPoint& point);

// The table's text, built into the program.
std::string_view StandardAcupointsText();

} // namespace penrica
