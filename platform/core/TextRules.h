#pragma once
// The one splitting rule and the one text-to-integer rule that every reader of records, format
// texts and the configuration file uses. Texts are UTF-8; a character is stepped over whole, so a
// separator never matches inside a multi-byte character. The configuration file's GBK bytes are
// split by the same rule: their separators are ASCII, which a character step never passes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

// Splits at every occurrence of `separator`. Empty inner fields are kept, a trailing empty field
// is dropped, and an empty text gives no fields.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// Full-width characters (U+FF01..U+FF5E and the ideographic space) become their half-width forms.
std::string ToHalfWidth(std::string_view text);

// Where a number of a half-width text begins: past leading white space and one '+' or '-'.
struct NumberStart {
    std::size_t digits = 0; // position of the first character after the sign
    bool negative = false;
};
NumberStart FindNumberStart(std::string_view halfWidth);

// Reads a leading decimal integer after full-width conversion: leading white space, an optional
// sign, the longest run of digits. No digits gives 0. Values beyond 32 bits saturate.
std::int32_t TextToInt(std::string_view text);

// Plain decimal, "-" for negatives.
std::string IntToText(std::int64_t value);

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray continuation byte).
std::size_t Utf8SequenceLength(unsigned char lead);

// The one way the program steps over a character of UTF-8 text: where the character at `pos`
// ends. A whole sequence is one character; a broken one ends where its continuation bytes end.
// Never past the end of the text.
std::size_t NextCharacter(std::string_view text, std::size_t pos);

// The code point of one character as NextCharacter steps it; U+FFFD for a broken sequence, a
// stray byte, an overlong form, a surrogate or a value past U+10FFFF.
char32_t CodePointOf(std::string_view character);

} // namespace penrica
