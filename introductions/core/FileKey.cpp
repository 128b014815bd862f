#include "introductions/core/FileKey.h"

#include "introductions/core/MulticolourText.h"
#include "platform/core/TextCodec.h"
#include "platform/core/TextRules.h"

#include <charconv>

namespace penrica {

namespace {

std::string TextUnderKey(std::string_view bytes, std::uint8_t key) {
    return BytesToText(UnshiftFromFile(bytes, key));
}

// The writer's end record "同上<vorn>" splits into one field; the reader skips it, yet it is a
// record: a file holding only an empty introduction still reads under our key.
bool HoldsAnyRecord(std::string_view text) {
    for (const std::string& line : SplitText(text, kFormatRecordEnd)) {
        if (IsReadableRecord(line) || line == kEmptyRepeatRecord) {
            return true;
        }
    }
    return false;
}

bool IsPlainInt32(std::string_view field) {
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc{} && end == field.data() + field.size();
}

bool IsWrittenRecord(std::string_view line) {
    if (line == kEmptyRepeatRecord) {
        return true;
    }
    const std::vector<std::string> fields = SplitText(line, kFormatTag);
    if (fields.size() == 2) {
        return fields[0] == kRepeatWord;
    }
    return fields.size() == 6 && IsPlainInt32(fields[0]) && IsPlainInt32(fields[1]) &&
           IsPlainInt32(fields[2]) && fields[4] == kBackupWord;
}

bool IsWrittenLayout(std::string_view text) {
    if (!text.ends_with(kFormatRecordEnd)) {
        return false;
    }
    for (const std::string& line : SplitText(text, kFormatRecordEnd)) {
        if (!IsWrittenRecord(line)) {
            return false;
        }
    }
    return true;
}

// A cheap first test: the text under `key` ends at the first byte that shifts back to zero, and
// its last two bytes must shift back to CR LF.
bool EndsInLineBreak(std::string_view bytes, std::uint8_t key) {
    std::size_t end = bytes.find(static_cast<char>(key));
    if (end == std::string_view::npos) {
        end = bytes.size();
    }
    auto back = [&](std::size_t i) {
        return static_cast<unsigned char>(static_cast<unsigned char>(bytes[i]) - key);
    };
    return end >= 2 && back(end - 2) == '\r' && back(end - 1) == '\n';
}

} // namespace

std::optional<std::uint8_t> DetectFileKey(std::string_view fileBytes) {
    if (fileBytes.empty() || HoldsAnyRecord(TextUnderKey(fileBytes, kFileKey))) {
        return kFileKey;
    }
    std::optional<std::uint8_t> found;
    for (int candidate = 1; candidate <= 255; ++candidate) {
        const auto key = static_cast<std::uint8_t>(candidate);
        if (key == kFileKey || !EndsInLineBreak(fileBytes, key) ||
            !IsWrittenLayout(TextUnderKey(fileBytes, key))) {
            continue;
        }
        if (found) {
            return std::nullopt; // two keys fit: neither can be trusted
        }
        found = key;
    }
    return found;
}

} // namespace penrica
