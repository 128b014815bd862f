#pragma once
// Which file key a stored introduction was written with. Files from another build of this
// program, or from the program it replaces, may be shifted with another key than kFileKey.
//
// A file reads under kFileKey when it is empty or when, shifted back with kFileKey, at least one
// of its lines is a record the reader takes. Only when none is does another key get a chance:
// the file reads under key K when, under exactly one K other than kFileKey, its text (up to the
// first zero byte) is the writer's layout throughout: every line ends in "\r\n" and is a full
// record of six fields or a repeat record "同上<vorn>" + TEXT, TEXT possibly empty.
//
// Bytes that read under no key (random bytes, a file of another kind) give no key; they read as
// an empty introduction, as under kFileKey. Writing always uses kFileKey.

#include <cstdint>
#include <optional>
#include <string_view>

namespace penrica {

std::optional<std::uint8_t> DetectFileKey(std::string_view fileBytes);

} // namespace penrica
