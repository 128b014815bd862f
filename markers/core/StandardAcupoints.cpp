#include "markers/core/StandardAcupoints.h"

#include "markers/core/AcupointSearch.h"
#include "platform/core/TextRules.h"

#include <algorithm>

namespace penrica {

namespace {

constexpr std::string_view kMeridianLine = "@meridian";
constexpr std::string_view kOlderLettersLine = "@older";

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The pieces of a line between `separator`s, the empty ones left out.
std::vector<std::string> Words(std::string_view text, std::string_view separator) {
    std::vector<std::string> words = SplitText(text, separator);
    std::erase(words, std::string());
    return words;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = NextCharacter(text, pos)) {
        ++count;
    }
    return count;
}

// "ST36", "EX-HN3" → "ST36", "EXHN3": the form codes are looked up by.
std::string PlainCode(std::string_view code) {
    std::string out;
    for (char c : code) {
        if (c != '-') {
            out += c;
        }
    }
    return out;
}

// Where `part` first stands in `name` at a character boundary; npos when nowhere.
std::size_t Position(std::string_view name, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= name.size(); i = NextCharacter(name, i)) {
        if (name.compare(i, part.size(), part) == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The syllables of one writing of the point's name: the table's where the writing is the name or
// a part of it (和髎 in 耳和髎), or has as many characters; ICU's for any other.
std::vector<std::string> WritingSyllables(const StandardPoint& point, std::string_view writing) {
    const std::size_t count = CharacterCount(writing);
    if (count == point.plain.size()) {
        return point.plain;
    }
    std::size_t index = 0;
    for (std::size_t i = 0; i + writing.size() <= point.name.size();
         i = NextCharacter(point.name, i), ++index) {
        if (point.name.compare(i, writing.size(), writing) == 0) {
            return {point.plain.begin() + static_cast<std::ptrdiff_t>(index),
                    point.plain.begin() + static_cast<std::ptrdiff_t>(index + count)};
        }
    }
    return PinyinPieces(writing);
}

} // namespace

AcupointTable AcupointTable::Parse(std::string_view text) {
    AcupointTable table;
    std::unordered_map<std::string, std::size_t> meridianByName;
    for (const std::string& rawLine : Words(text, "\n")) {
        std::string_view line = rawLine;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::vector<std::string> fields = SplitText(line, "\t");
        if (fields[0] == kMeridianLine) {
            if (fields.size() >= 4) {
                meridianByName[fields[2]] = table.meridians_.size();
                table.meridians_.push_back({fields[1], fields[2], fields[3]});
            }
            continue;
        }
        if (fields[0] == kOlderLettersLine) {
            if (fields.size() >= 3) {
                table.olderLetters_.emplace_back(fields[1], fields[2]);
            }
            continue;
        }
        if (fields.size() < 4) {
            continue;
        }
        const auto meridian = meridianByName.find(fields[3]);
        StandardPoint point{fields[0], fields[1], Words(fields[2], " "), {}, 0, {}};
        if (meridian == meridianByName.end() || point.code.empty() || point.name.empty() ||
            point.reading.size() != CharacterCount(point.name)) {
            continue;
        }
        point.meridian = meridian->second;
        for (const std::string& syllable : point.reading) {
            point.plain.push_back(PinyinQuery(syllable).value_or(syllable));
        }
        if (fields.size() >= 5) {
            point.otherNames = Words(fields[4], "/");
        }
        table.points_.push_back(std::move(point));
    }
    for (std::size_t i = 0; i < table.points_.size(); ++i) {
        const StandardPoint& point = table.points_[i];
        table.byKey_.emplace(PlainCode(point.code), i);
        table.byName_.emplace(point.name, i);
        for (const std::string& other : point.otherNames) {
            table.byName_.emplace(other, i);
        }
    }
    for (const auto& [name, index] : table.byName_) {
        table.heldNames_.emplace_back(name, index);
    }
    // Longest first; among names of one length, table order, so the choice never depends on the
    // map's order.
    std::sort(table.heldNames_.begin(), table.heldNames_.end(), [](const auto& a, const auto& b) {
        return a.first.size() != b.first.size() ? a.first.size() > b.first.size()
                                                : a.second < b.second;
    });
    return table;
}

const Meridian& AcupointTable::MeridianOf(const StandardPoint& point) const {
    return meridians_[point.meridian];
}

std::optional<std::pair<std::size_t, std::string_view>>
AcupointTable::HeldName(std::string_view name) const {
    if (const auto whole = byName_.find(std::string(name)); whole != byName_.end()) {
        return std::pair<std::size_t, std::string_view>(whole->second, whole->first);
    }
    // The longest name held decides; of two as long, the one that comes first in the name
    // (太冲合谷 is LR3).
    std::optional<std::pair<std::size_t, std::string_view>> found;
    std::size_t foundAt = std::string_view::npos;
    for (const auto& [held, index] : heldNames_) {
        if (found && held.size() < found->second.size()) {
            break;
        }
        if (const std::size_t at = Position(name, held); at < foundAt) {
            found = std::pair<std::size_t, std::string_view>(index, held);
            foundAt = at;
        }
    }
    return found;
}

std::vector<const StandardPoint*> AcupointTable::PointsOfName(std::string_view name) const {
    std::vector<const StandardPoint*> points;
    if (const auto held = HeldName(name)) {
        for (const StandardPoint& point : points_) {
            if (point.name == points_[held->first].name) {
                points.push_back(&point);
            }
        }
    }
    return points;
}

NameStandard AcupointTable::StandardOfName(std::string_view name) const {
    NameStandard standard;
    const auto held = HeldName(name);
    if (!held) {
        return standard;
    }
    standard.points = PointsOfName(name);
    // The part of the name that is the point, in whichever writing, reads as the table says.
    const std::size_t at = Position(name, held->second);
    std::vector<std::string> syllables = PinyinPieces(name.substr(0, at));
    for (std::string& syllable : WritingSyllables(points_[held->first], held->second)) {
        syllables.push_back(std::move(syllable));
    }
    for (std::string& piece : PinyinPieces(name.substr(at + held->second.size()))) {
        syllables.push_back(std::move(piece));
    }
    standard.reading = PinyinFromSyllables(std::move(syllables));
    return standard;
}

namespace {
// A code query's characters as codes are compared: half width, upper case, no "-" or spaces.
std::string CodeCharacters(std::string_view query) {
    std::string plain;
    for (char c : ToHalfWidth(query)) {
        if (c == ' ' || c == '-') {
            continue;
        }
        plain += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return plain;
}
} // namespace

std::string AcupointTable::StandardLetters(std::string prefix) const {
    for (const auto& [older, standard] : olderLetters_) {
        if (prefix == older) {
            return standard;
        }
    }
    return prefix;
}

std::optional<std::string> AcupointTable::CodeLetters(std::string_view query) const {
    const std::string plain = CodeCharacters(query);
    if (plain.size() < 2 || !std::all_of(plain.begin(), plain.end(), IsUpper)) {
        return std::nullopt;
    }
    return StandardLetters(plain);
}

std::optional<std::string> AcupointTable::CodeKey(std::string_view query) const {
    const std::string plain = CodeCharacters(query);
    std::size_t letters = 0;
    while (letters < plain.size() && IsUpper(plain[letters])) {
        ++letters;
    }
    std::size_t digits = letters;
    while (digits < plain.size() && IsDigit(plain[digits])) {
        ++digits;
    }
    if (letters == 0 || digits == letters || digits != plain.size()) {
        return std::nullopt;
    }
    const std::string prefix = StandardLetters(plain.substr(0, letters));
    // "ST036" is ST36.
    std::size_t firstDigit = letters;
    while (firstDigit + 1 < plain.size() && plain[firstDigit] == '0') {
        ++firstDigit;
    }
    return prefix + plain.substr(firstDigit);
}

const StandardPoint* AcupointTable::PointOfCode(std::string_view query) const {
    const std::optional<std::string> key = CodeKey(query);
    if (!key) {
        return nullptr;
    }
    const auto found = byKey_.find(*key);
    return found == byKey_.end() ? nullptr : &points_[found->second];
}

std::optional<std::size_t> AcupointTable::MeridianOfQuery(std::string_view query) const {
    while (!query.empty() && query.front() == ' ') {
        query.remove_prefix(1);
    }
    while (!query.empty() && query.back() == ' ') {
        query.remove_suffix(1);
    }
    for (std::size_t i = 0; i < meridians_.size(); ++i) {
        if (query == meridians_[i].fullName || query == meridians_[i].shortName) {
            return i;
        }
    }
    return std::nullopt;
}

const AcupointTable& StandardAcupoints() {
    static const AcupointTable table = AcupointTable::Parse(StandardAcupointsText());
    return table;
}

const NameStandard& StandardOf(std::string_view name) {
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    // Each thread keeps its own, so a lookup takes no lock.
    thread_local std::unordered_map<std::string, NameStandard, Hash, std::equal_to<>> names;
    auto found = names.find(name);
    if (found == names.end()) {
        found = names.emplace(std::string(name), StandardAcupoints().StandardOfName(name)).first;
    }
    return found->second;
}

std::string ReadingText(const StandardPoint& point) {
    std::string text;
    for (const std::string& syllable : point.reading) {
        text += syllable;
    }
    return text;
}

std::string PointSummary(const StandardPoint& point) {
    return point.code + " " + point.name + " " + ReadingText(point) + " · " +
           StandardAcupoints().MeridianOf(point).fullName;
}

StandardQuery ReadStandardQuery(std::string_view text) {
    const AcupointTable& table = StandardAcupoints();
    return {PinyinQuery(text), table.PointOfCode(text), table.MeridianOfQuery(text)};
}

bool NamesStandardPoint(const NameStandard& standard, const StandardQuery& query) {
    for (const StandardPoint* point : standard.points) {
        if (point == query.code || point->meridian == query.meridian) {
            return true;
        }
    }
    return query.pinyin && PinyinMatches(standard.reading, *query.pinyin);
}

std::vector<const StandardPoint*> SuggestPoints(std::string_view typed, std::size_t limit) {
    const AcupointTable& table = StandardAcupoints();
    if (typed.empty() || limit == 0) {
        return {};
    }
    const std::optional<std::string> pinyin = PinyinQuery(typed);
    const std::optional<std::string> code = table.CodeKey(typed);
    const std::optional<std::string> codeStart = table.CodeLetters(typed);
    // 0: exact code, name or reading; 1: starts with the text; 2: holds it elsewhere.
    std::vector<const StandardPoint*> ranked[3];
    for (const StandardPoint& point : table.Points()) {
        const NamePinyin reading = PinyinFromSyllables(point.plain);
        const std::string plainCode = PlainCode(point.code);
        std::string joined;
        for (const std::string& syllable : point.plain) {
            joined += syllable;
        }
        // "qihai" and "qh" are 气海 itself before 气海俞.
        bool exact = point.name == typed || (code && *code == plainCode) ||
                     (pinyin && (joined == *pinyin || reading.initials == *pinyin));
        bool starts =
            StartsWith(point.name, typed) || (code && StartsWith(plainCode, *code)) ||
            (codeStart && StartsWith(plainCode, *codeStart)) ||
            (pinyin && (StartsWith(joined, *pinyin) || StartsWith(reading.initials, *pinyin)));
        // ICU's reading finds a name in the box as it does in the search ("feiyu").
        bool holds = NameContains(point.name, typed) ||
                     (pinyin && (PinyinMatches(reading, *pinyin) ||
                                 PinyinMatches(PinyinOf(point.name), *pinyin)));
        for (const std::string& other : point.otherNames) {
            exact = exact || other == typed;
            starts = starts || StartsWith(other, typed);
            holds = holds || NameContains(other, typed);
        }
        if (exact) {
            ranked[0].push_back(&point);
        } else if (starts) {
            ranked[1].push_back(&point);
        } else if (holds) {
            ranked[2].push_back(&point);
        }
    }
    // A name the standard gives twice (印堂) is offered once, by its best match.
    std::vector<const StandardPoint*> suggestions;
    for (const auto& rank : ranked) {
        for (const StandardPoint* point : rank) {
            if (suggestions.size() == limit) {
                return suggestions;
            }
            if (std::none_of(suggestions.begin(), suggestions.end(),
                             [&](const StandardPoint* s) { return s->name == point->name; })) {
                suggestions.push_back(point);
            }
        }
    }
    return suggestions;
}

std::string SuggestionText(const StandardPoint& point) {
    return point.name + "  " + point.code + "  " + ReadingText(point);
}

} // namespace penrica
