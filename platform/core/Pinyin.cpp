#include "platform/core/Pinyin.h"

#include "platform/core/TextRules.h"

#include <unicode/uscript.h>
#include <unicode/ustring.h>
#include <unicode/utrans.h>

#include <memory>
#include <unordered_map>

namespace penrica {

namespace {

struct TransliteratorCloser {
    void operator()(UTransliterator* t) const { utrans_close(t); }
};
using Transliterator = std::unique_ptr<UTransliterator, TransliteratorCloser>;

Transliterator OpenTransliterator(const char* id) {
    std::u16string wide(id, id + std::char_traits<char>::length(id));
    UErrorCode status = U_ZERO_ERROR;
    UTransliterator* t = utrans_openU(reinterpret_cast<const UChar*>(wide.c_str()), -1,
                                      UTRANS_FORWARD, nullptr, 0, nullptr, &status);
    return Transliterator(U_SUCCESS(status) ? t : nullptr);
}

// Runs the transliterator over UTF-8 text; empty when ICU cannot.
std::string Transliterate(UTransliterator* t, std::string_view utf8) {
    if (t == nullptr) {
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8WithSub(nullptr, 0, &length, utf8.data(), static_cast<int32_t>(utf8.size()),
                         0xFFFD, nullptr, &status);
    // Transliteration may lengthen the text: a character becomes up to six letters.
    std::u16string text(static_cast<std::size_t>(length) * 8 + 16, u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(text.data()), length + 1, &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    int32_t limit = length;
    utrans_transUChars(t, reinterpret_cast<UChar*>(text.data()), &length,
                       static_cast<int32_t>(text.size()), 0, &limit, &status);
    if (U_FAILURE(status)) {
        return {};
    }
    std::string out(static_cast<std::size_t>(length) * 3 + 1, '\0');
    int32_t written = 0;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &written,
                       reinterpret_cast<const UChar*>(text.data()), length, 0xFFFD, nullptr,
                       &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(written) : 0);
    return out;
}

// Tone marks and the diaeresis go, full-width letters become plain ones, all lower case.
constexpr const char* kPlain = "NFKD; [:Nonspacing Mark:] Remove; Lower; NFC";

// What a query leaves out, and so does a name: spaces and apostrophes.
bool IsIgnored(std::string_view piece) {
    return piece == " " || piece == "'" || piece == "\u2019" || piece == "\u3000";
}

bool IsHan(char32_t codePoint) {
    UErrorCode status = U_ZERO_ERROR;
    return uscript_getScript(static_cast<UChar32>(codePoint), &status) == USCRIPT_HAN;
}

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

// The names turned so far and the characters behind them, for the life of the program. Each
// thread keeps its own, so a lookup takes no lock.
class PinyinCache {
public:
    // The text without tone marks, in plain lower-case letters.
    std::string Plain(std::string_view text) { return Transliterate(plain_.get(), text); }

    const NamePinyin& Of(std::string_view name) {
        auto found = names_.find(name);
        if (found == names_.end()) {
            found = names_.emplace(std::string(name), Turn(name)).first;
        }
        return found->second;
    }

    // Every character's piece; `anyHan` tells whether one was a Chinese character.
    std::vector<std::string> Pieces(std::string_view text, bool& anyHan) {
        std::vector<std::string> syllables;
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t next = NextCharacter(text, pos);
            const std::string_view character = text.substr(pos, next - pos);
            pos = next;
            if (IsHan(CodePointOf(character))) {
                anyHan = true;
                syllables.push_back(Syllable(character));
            } else if (std::string piece = Plain(character); !IsIgnored(piece)) {
                syllables.push_back(std::move(piece));
            }
        }
        return syllables;
    }

private:
    NamePinyin Turn(std::string_view name) {
        bool anyHan = false;
        std::vector<std::string> syllables = Pieces(name, anyHan);
        return anyHan ? PinyinFromSyllables(std::move(syllables)) : NamePinyin{};
    }

    // One Chinese character's syllable, turned once.
    const std::string& Syllable(std::string_view character) {
        auto found = characters_.find(character);
        if (found == characters_.end()) {
            std::string latin = Plain(Transliterate(han_.get(), character));
            std::erase(latin, ' ');
            found = characters_.emplace(std::string(character), std::move(latin)).first;
        }
        return found->second;
    }

    Transliterator han_ = OpenTransliterator("Han-Latin");
    Transliterator plain_ = OpenTransliterator(kPlain);
    std::unordered_map<std::string, NamePinyin, TextHash, std::equal_to<>> names_;
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> characters_;
};

PinyinCache& Cache() {
    thread_local PinyinCache cache;
    return cache;
}

} // namespace

const NamePinyin& PinyinOf(std::string_view name) {
    return Cache().Of(name);
}

std::vector<std::string> PinyinPieces(std::string_view text) {
    bool anyHan = false;
    return Cache().Pieces(text, anyHan);
}

NamePinyin PinyinFromSyllables(std::vector<std::string> syllables) {
    NamePinyin pinyin;
    for (const std::string& syllable : syllables) {
        pinyin.initials += syllable.empty() ? ' ' : syllable[0];
    }
    pinyin.syllables = std::move(syllables);
    return pinyin;
}

std::optional<std::string> PinyinQuery(std::string_view text) {
    const std::string normal = Cache().Plain(text);
    std::string query;
    for (std::size_t pos = 0; pos < normal.size();) {
        const std::size_t next = NextCharacter(normal, pos);
        const std::string_view character = std::string_view(normal).substr(pos, next - pos);
        pos = next;
        if (character.size() == 1 && character[0] >= 'a' && character[0] <= 'z') {
            // Typists write ü as v; the syllables hold it as u.
            query += character[0] == 'v' ? 'u' : character[0];
        } else if (!IsIgnored(character)) {
            return std::nullopt;
        }
    }
    if (query.empty()) {
        return std::nullopt;
    }
    return query;
}

bool PinyinMatches(const NamePinyin& pinyin, std::string_view query) {
    const std::vector<std::string>& syllables = pinyin.syllables;
    if (query.empty() || syllables.empty()) {
        return false;
    }
    if (pinyin.initials.find(query) != std::string::npos) {
        return true;
    }
    for (std::size_t start = 0; start < syllables.size(); ++start) {
        std::size_t matched = 0;
        for (std::size_t i = start; i < syllables.size() && matched < query.size(); ++i) {
            const std::string_view rest = query.substr(matched);
            const std::string& syllable = syllables[i];
            const std::size_t n = std::min(rest.size(), syllable.size());
            if (syllable.compare(0, n, rest, 0, n) != 0) {
                break;
            }
            matched += n;
        }
        if (matched == query.size()) {
            return true;
        }
    }
    return false;
}

} // namespace penrica
