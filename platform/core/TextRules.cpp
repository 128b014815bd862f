#include "platform/core/TextRules.h"

#include <limits>

namespace penrica {

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0xC0) {
        return 1;
    }
    if (lead < 0xE0) {
        return 2;
    }
    if (lead < 0xF0) {
        return 3;
    }
    return 4;
}

std::size_t NextCharacter(std::string_view text, std::size_t pos) {
    std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[pos]));
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size() || (static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
            return pos + i; // a broken sequence ends where its continuation bytes end
        }
    }
    return pos + length;
}

char32_t CodePointOf(std::string_view character) {
    if (character.empty()) {
        return 0xFFFD;
    }
    const auto lead = static_cast<unsigned char>(character[0]);
    const std::size_t length = Utf8SequenceLength(lead);
    if (length == 1) {
        return lead < 0x80 ? lead : 0xFFFD;
    }
    if (character.size() != length || lead >= 0xF8) {
        return 0xFFFD;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters either.
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 0xFFFD;
    }
    return codePoint;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    if (text.empty() || separator.empty()) {
        if (!text.empty()) {
            fields.emplace_back(text);
        }
        return fields;
    }
    std::size_t fieldStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == separator.front() && text.compare(pos, separator.size(), separator) == 0) {
            fields.emplace_back(text.substr(fieldStart, pos - fieldStart));
            pos += separator.size();
            fieldStart = pos;
        } else {
            pos = NextCharacter(text, pos);
        }
    }
    if (fieldStart < text.size()) {
        fields.emplace_back(text.substr(fieldStart));
    }
    return fields;
}

std::string ToHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = NextCharacter(text, pos);
        if (next - pos == 3) {
            const char32_t cp = CodePointOf(text.substr(pos, 3));
            if (cp >= 0xFF01 && cp <= 0xFF5E) {
                out.push_back(static_cast<char>(cp - 0xFEE0));
                pos = next;
                continue;
            }
            if (cp == 0x3000) {
                out.push_back(' ');
                pos = next;
                continue;
            }
        }
        out.append(text.substr(pos, next - pos));
        pos = next;
    }
    return out;
}

NumberStart FindNumberStart(std::string_view halfWidth) {
    NumberStart start;
    std::size_t& pos = start.digits;
    while (pos < halfWidth.size() &&
           (halfWidth[pos] == ' ' || (halfWidth[pos] >= '\t' && halfWidth[pos] <= '\r'))) {
        ++pos;
    }
    if (pos < halfWidth.size() && (halfWidth[pos] == '+' || halfWidth[pos] == '-')) {
        start.negative = halfWidth[pos] == '-';
        ++pos;
    }
    return start;
}

std::int32_t TextToInt(std::string_view text) {
    const std::string half = ToHalfWidth(text);
    const auto [digits, negative] = FindNumberStart(half);
    std::size_t pos = digits;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    while (pos < half.size() && half[pos] >= '0' && half[pos] <= '9') {
        if (value <= kMax + 1) { // stays exact until it has passed the range
            value = value * 10 + (half[pos] - '0');
        }
        ++pos;
    }
    if (negative) {
        value = -value;
    }
    if (value > kMax) {
        return static_cast<std::int32_t>(kMax);
    }
    if (value < kMin) {
        return static_cast<std::int32_t>(kMin);
    }
    return static_cast<std::int32_t>(value);
}

std::string IntToText(std::int64_t value) {
    return std::to_string(value);
}

} // namespace penrica
