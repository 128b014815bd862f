// The configuration reader and writer on any file. Input: OP SECTION \0 KEY \0 VALUE \0 FILE,
// where OP's low bit first adds SECTION, the three names are program text (UTF-8, handed over
// as GBK as ConfigFile does) and FILE is the bytes of peizhi.ini, any bytes at all. Missing
// parts take the names of a quick format.
//
// After a write: no empty line, every line ends with CR LF, every non-empty line of the file
// other than lines of KEY is kept in its order byte for byte, and a written value reads back
// when its section exists.

#include "fuzz/FuzzCheck.h"
#include "platform/core/TextCodec.h"
#include "styling/core/ConfigText.h"

#include <vector>

using namespace penrica;
using namespace penrica::fuzz;

namespace {

constexpr std::string_view kLineEnd = "\r\n";
const std::string kHeaderStart = EncodeGbk("配置项");

// The next part up to a zero byte, or the rest.
std::string_view TakePart(std::string_view& input) {
    const std::size_t zero = input.find('\0');
    const std::string_view part = input.substr(0, zero);
    input = zero == std::string_view::npos ? std::string_view{} : input.substr(zero + 1);
    return part;
}

// The splitting rule on plain bytes, written apart from the one under test.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, separator.size()) == separator) {
            pieces.push_back(piece);
            piece.clear();
            i += separator.size() - 1;
        } else {
            piece += text[i];
        }
    }
    if (!piece.empty()) {
        pieces.push_back(piece);
    }
    return pieces;
}

// A name as the style windows hand it over (valid UTF-8 on one line), in GBK as ConfigFile
// hands it on.
std::string AsName(std::string_view raw, std::string_view fallback) {
    if (raw.empty()) {
        return EncodeGbk(fallback);
    }
    std::string name;
    for (char c : DecodeGbk(EncodeGbk(raw))) {
        if (c != '\r' && c != '\n' && c != '\0') {
            name += c;
        }
    }
    return EncodeGbk(name);
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string& line : SplitText(text, kLineEnd)) {
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

bool HasSection(std::string_view text, std::string_view section) {
    for (const std::string& line : Lines(text)) {
        const std::vector<std::string> pieces = SplitText(line, "=");
        if (line.starts_with(kHeaderStart) && pieces.size() == 2 && pieces[1] == section) {
            return true;
        }
    }
    return false;
}

bool IsLineOfKey(std::string_view line, std::string_view key) {
    const std::vector<std::string> pieces = SplitText(line, "=");
    return pieces.size() == 2 && pieces[0] == key;
}

// Walks the lines before and after: equal lines match; otherwise the line after must be the
// written key line, either replacing a line of the key or inserted.
void CheckLinesKept(const std::vector<std::string>& before, const std::vector<std::string>& after,
                    std::string_view key, std::string_view keyLine) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (j < after.size()) {
        if (i < before.size() && before[i] == after[j]) {
            ++i;
            ++j;
            continue;
        }
        Check(after[j] == keyLine, "only the key's line is new");
        const bool insertedBeforeIt =
            j + 1 < after.size() && i < before.size() && after[j + 1] == before[i];
        if (i < before.size() && IsLineOfKey(before[i], key) && !insertedBeforeIt) {
            ++i; // replaced
        }
        ++j;
    }
    Check(i == before.size(), "no line of the file is lost");
}

void CheckWrite(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value) {
    const std::string written = WriteConfigValue(text, section, key, value);
    const std::vector<std::string> lines = Lines(written);
    Check(SplitText(written, kLineEnd).size() == lines.size(), "no empty line");
    Check(written.empty() || written.ends_with(kLineEnd), "the last line ends with CR LF");
    std::string rebuilt;
    for (const std::string& line : lines) {
        rebuilt.append(line).append(kLineEnd);
    }
    Check(rebuilt == written, "every line ends with CR LF");

    const std::string keyLine = std::string(key) + "=" + std::string(value);
    CheckLinesKept(Lines(text), lines, key, keyLine);
    if (!HasSection(text, section)) {
        Check(lines == Lines(text), "a missing section changes nothing but empty lines");
    }

    const bool readable = key.find('=') == std::string_view::npos &&
                          !key.starts_with(kHeaderStart) && !value.empty() &&
                          value.find('=') == std::string_view::npos;
    if (readable && HasSection(text, section)) {
        Check(ReadConfigValue(written, section, key) == value, "a written value reads back");
    }
    Check(written.find('\0') == std::string::npos, "the file reads back whole");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool addSectionFirst = (data[0] & 1) != 0;
    std::string_view input = AsText(data + 1, size - 1);
    const std::string section = AsName(TakePart(input), "字符格式1");
    const std::string key = AsName(TakePart(input), "字体名称");
    const std::string value = AsName(TakePart(input), "宋体");
    // The stored-text rule: the file is taken up to its first zero byte.
    std::string text(input.substr(0, input.find('\0')));

    ReadConfigValue(text, section, key);
    if (addSectionFirst) {
        const std::optional<std::string> added = AppendConfigSection(text, section);
        Check(added.has_value() != HasSection(text, section), "a section is added once");
        if (added) {
            Check(*added == text + "\r\n" + kHeaderStart + "=" + section,
                  "the header is appended as it is");
            text = *added;
        }
    }
    CheckWrite(text, section, key, value);
    return 0;
}
