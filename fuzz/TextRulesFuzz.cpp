// The splitting rule and text to integer on any text. The first byte picks the separator and
// gives the numbers of a record; the rest is the text.
//
// Properties: the fields joined again give the text back (less the one trailing separator that
// adds no field), no field holds the separator, a record made from its parts reads back as them,
// and text to integer ignores what follows its number and saturates at 32 bits.

#include "fuzz/FuzzCheck.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/TextRules.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

using namespace penrica;
using namespace penrica::fuzz;

namespace {

// Every separator the program splits at.
constexpr std::array<std::string_view, 4> kSeparators = {"！", "\r\n", "<vorn>", "="};

std::string Join(const std::vector<std::string>& fields, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            text += separator;
        }
        text += fields[i];
    }
    return text;
}

// Decimal text with full-width digits and sign, as a user may type it.
std::string FullWidth(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        // U+FF01..U+FF5E is ASCII 0x21..0x7E shifted by 0xFEE0: EF BC xx or EF BD xx.
        const char32_t cp = static_cast<unsigned char>(c) + 0xFEE0;
        out += '\xEF';
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void CheckSplit(std::string_view text, std::string_view separator) {
    const std::vector<std::string> fields = SplitText(text, separator);
    const std::string joined = Join(fields, separator);
    Check(joined == text || joined + std::string(separator) == text,
          "the fields and separators make up the text");
    Check(text.empty() == fields.empty(), "only an empty text gives no fields");
    for (const std::string& field : fields) {
        Check(field.find(separator) == std::string::npos, "no field holds the separator");
    }
}

void CheckNumber(std::string_view text) {
    const std::int32_t value = TextToInt(text);
    Check(TextToInt(std::string(text) + "x") == value, "what follows the number is ignored");
    Check(TextToInt(" \t" + std::string(text)) == value, "leading white space is skipped");
    Check(TextToInt("\xE3\x80\x80" + std::string(text)) == value, "so is an ideographic space");
}

void CheckRecord(std::int64_t x, std::int64_t y, std::string_view name) {
    if (name.empty() || name.find("！") != std::string_view::npos) {
        return; // not a name the add prompt lets through
    }
    const std::string record = MakeRecord(Saturated(x), Saturated(y), name);
    const std::optional<MarkerRecord> parsed = ParseRecord(record);
    Check(parsed && parsed->x == Saturated(x) && parsed->y == Saturated(y) && parsed->name == name,
          "a record reads back as its parts");
    Check(TextToInt(IntToText(x)) == Saturated(x), "decimal text reads back, saturated");
    Check(TextToInt(FullWidth(IntToText(y))) == Saturated(y), "full-width digits read the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view text = AsText(data + 1, size - 1);
    CheckSplit(text, kSeparators[data[0] % kSeparators.size()]);
    CheckNumber(text);
    for (const std::string& field : SplitText(text, "！")) {
        CheckNumber(field);
    }

    std::int64_t x = 0;
    std::int64_t y = 0;
    std::memcpy(&x, text.data(), std::min(sizeof x, text.size()));
    if (text.size() > sizeof x) {
        std::memcpy(&y, text.data() + sizeof x, std::min(sizeof y, text.size() - sizeof x));
    }
    // Small numbers matter as much as huge ones: the first byte's top bit narrows them.
    if (data[0] & 0x80) {
        x = static_cast<std::int16_t>(x);
        y = static_cast<std::int16_t>(y);
    }
    CheckRecord(x, y, text.size() > 16 ? text.substr(16) : text);
    return 0;
}
