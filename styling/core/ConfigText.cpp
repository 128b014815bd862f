#include "styling/core/ConfigText.h"

#include "platform/core/TextRules.h"

#include <vector>

namespace penrica {

namespace {

constexpr std::string_view kHeaderStart = "\xC5\xE4\xD6\xC3\xCF\xEE"; // 配置项 in GBK
constexpr std::string_view kLineEnd = "\r\n";
// The text is GBK bytes, split by the program's one splitting rule: its separators here are
// ASCII, and a character step never passes over an ASCII byte, so the rule splits these bytes
// exactly where the separators stand.

bool IsHeader(std::string_view line) {
    return line.starts_with(kHeaderStart);
}

// The section name of a header line that splits into exactly two pieces.
std::optional<std::string> HeaderName(std::string_view line) {
    if (!IsHeader(line)) {
        return std::nullopt;
    }
    std::vector<std::string> pieces = SplitText(line, "=");
    if (pieces.size() != 2) {
        return std::nullopt;
    }
    return pieces[1];
}

bool IsKeyLineFor(std::string_view line, std::string_view key) {
    std::vector<std::string> pieces = SplitText(line, "=");
    return pieces.size() == 2 && pieces[0] == key;
}

} // namespace

std::string ReadConfigValue(std::string_view text, std::string_view section, std::string_view key) {
    bool inside = false;
    for (const std::string& line : SplitText(text, kLineEnd)) {
        if (std::optional<std::string> name = HeaderName(line)) {
            inside = *name == section;
        }
        if (inside && !IsHeader(line)) {
            std::vector<std::string> pieces = SplitText(line, "=");
            if (pieces.size() == 2 && pieces[0] == key) {
                return pieces[1];
            }
        }
    }
    return {};
}

std::string WriteConfigValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
    std::vector<std::string> lines = SplitText(text, kLineEnd);
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    bool inside = false;
    bool insertionPending = false;
    bool done = false;
    std::size_t headerLine = 0; // 1-based; 0 is none
    std::string out;
    for (std::size_t i = 1; i <= lines.size(); ++i) {
        std::string& line = lines[i - 1];
        if (std::optional<std::string> name = HeaderName(line)) {
            if (*name == section) {
                inside = true;
                insertionPending = true;
                headerLine = i;
            } else {
                inside = false;
            }
        }
        if (inside && i != headerLine && IsKeyLineFor(line, key)) {
            line = keyLine;
            done = true;
        }
        if (!done && IsHeader(line) && insertionPending && i != headerLine) {
            line = keyLine + std::string(kLineEnd) + line;
            insertionPending = false;
        }
        if (!done && i == lines.size() && inside) {
            // A text ending in an empty line must not keep it in front of the new key line.
            line = line.empty() ? keyLine : line + std::string(kLineEnd) + keyLine;
        }
        if (!line.empty()) {
            out += line;
            out += kLineEnd;
        }
    }
    return out;
}

std::optional<std::string> AppendConfigSection(std::string_view text, std::string_view section) {
    for (const std::string& line : SplitText(text, kLineEnd)) {
        std::optional<std::string> name = HeaderName(line);
        if (name && *name == section) {
            return std::nullopt;
        }
    }
    return std::string(text) + std::string(kLineEnd) + std::string(kHeaderStart) + "=" +
           std::string(section);
}

} // namespace penrica
