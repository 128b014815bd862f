#pragma once
// The one place where program text (UTF-8) meets stored bytes (GBK, extended to GB18030 so that
// no character is lost). Undecodable bytes read as U+FFFD; nothing here throws.

#include <cstddef>
#include <string>
#include <string_view>

namespace penrica {

// UTF-8 to GBK bytes; characters outside GBK become GB18030 four-byte sequences.
std::string EncodeGbk(std::string_view utf8);

// GBK / GB18030 bytes to UTF-8. Zero bytes are kept; see BytesToText for the stored-text rule.
std::string DecodeGbk(std::string_view bytes);

// The stored-text rule: a stored text ends at its first zero byte.
std::string_view StoredBytes(std::string_view bytes);
// The stored text decoded: StoredBytes, then DecodeGbk.
std::string BytesToText(std::string_view bytes);

// Length in GBK bytes of a UTF-8 text ("\r\n" counts 2).
std::size_t GbkLength(std::string_view utf8);

// GBK byte length of one Unicode code point (1, 2 or 4).
std::size_t GbkCodePointLength(char32_t codePoint);

// Cuts a UTF-8 text to at most `maxBytes` GBK bytes, never inside a character. The cut also ends
// before a sequence that is cut short, which is no whole character.
std::string TruncateToGbkBytes(std::string_view utf8, std::size_t maxBytes);

} // namespace penrica
