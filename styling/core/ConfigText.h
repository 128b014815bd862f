#pragma once
// The configuration text as the file's own bytes: sections headed by a line that begins with
// "配置项", key lines "key=value", and any other line, which is kept as it stands. These
// functions work on the bytes alone; ConfigFile reads and writes them.
//
// Everything here is GBK bytes: the text, and the section, key and value names, which are
// compared byte for byte. A rewrite changes only the lines it sets or adds, drops empty lines and
// ends every line with CR LF; every other line comes back byte for byte, whatever bytes it holds
// (bytes that are not GBK, UTF-8 comments). Lines are separated by CR LF; a line splits at "=" by
// the common splitting rule, so a trailing empty value does not count. Neither "=" nor CR LF can
// occur inside a GBK or GB18030 character, so splitting the bytes splits whole characters.

#include <optional>
#include <string>
#include <string_view>

namespace penrica {

// The value of `key` in `section`; empty when the section or key is missing. If a section name
// occurs twice, both are searched in order and the first matching key wins.
std::string ReadConfigValue(std::string_view text, std::string_view section, std::string_view key);

// The text after setting `key` to `value` in `section`: an existing key keeps its place, a
// missing one becomes the last line of its section, and a missing section changes nothing but the
// normalisation.
std::string WriteConfigValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

// The text with a new empty section header appended (without normalising and without a final
// CR LF), or nothing when a section of that name exists.
std::optional<std::string> AppendConfigSection(std::string_view text, std::string_view section);

} // namespace penrica
