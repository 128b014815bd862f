#include "introductions/core/MulticolourText.h"

#include "introductions/core/FileKey.h"
#include "platform/core/TextCodec.h"
#include "platform/core/TextRules.h"

#include <charconv>
#include <cmath>

namespace penrica {

namespace {

constexpr std::string_view kTag = kFormatTag;
constexpr std::string_view kRecordEnd = kFormatRecordEnd;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The face as the editor holds it: never empty, at most kMaxFaceBytes.
std::string StoredFace(std::string_view face) {
    std::string cut = TruncateToGbkBytes(face, kMaxFaceBytes);
    return cut.empty() ? CharFormat{}.face : cut;
}

// Offset is not part of the stored format, so it does not count.
bool SameStoredFormat(const CharFormat& a, const CharFormat& b) {
    return a.effects == b.effects && a.face == b.face && a.size == b.size && a.colour == b.colour;
}

// The colour field is a floating-point number: truncated toward zero to 64 bits, of which the
// low 32 are the colour. A value that does not fit 64 bits, or no number at all, reads as 0.
std::uint32_t ReadColour(std::string_view field) {
    const std::string half = ToHalfWidth(field);
    const auto [start, negative] = FindNumberStart(half);
    std::size_t pos = start;
    std::size_t digits = 0;
    for (; pos < half.size() && IsDigit(half[pos]); ++pos) {
        ++digits;
    }
    if (pos < half.size() && half[pos] == '.') {
        for (++pos; pos < half.size() && IsDigit(half[pos]); ++pos) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (pos < half.size() && (half[pos] == 'e' || half[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < half.size() && (half[exponent] == '+' || half[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < half.size() && IsDigit(half[exponent])) {
            for (pos = exponent; pos < half.size() && IsDigit(half[pos]); ++pos) {
            }
        }
    }
    double value = 0;
    auto [end, error] =
        std::from_chars(half.data() + start, half.data() + pos, value, std::chars_format::general);
    if (error != std::errc{}) {
        return 0; // beyond double's range either way
    }
    if (negative) {
        value = -value;
    }
    if (!std::isfinite(value) || value < -0x1p63 || value >= 0x1p63) {
        return 0;
    }
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
}

} // namespace

void FormatTextWriter::Append(std::string_view text, const CharFormat& format) {
    std::size_t pos = 0;
    if (crPending_ && !text.empty()) {
        crPending_ = false;
        if (text.front() == '\n') {
            WriteCharacter("\r\n", crFormat_);
            pos = 1;
        } else {
            WriteCharacter("\r", crFormat_);
            loneCr_ = LoneCarriageReturn::Present;
        }
    }
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '\0') {
            ++pos;
            continue;
        }
        if (c == '\r') {
            if (pos + 1 == text.size()) {
                crPending_ = true; // the next span decides whether it is a line break
                crFormat_ = format;
                return;
            }
            if (text[pos + 1] == '\n') {
                WriteCharacter("\r\n", format);
                pos += 2;
                continue;
            }
            loneCr_ = LoneCarriageReturn::Present;
        }
        const std::size_t next = NextCharacter(text, pos);
        WriteCharacter(text.substr(pos, next - pos), format);
        pos = next;
    }
}

FormatTextResult FormatTextWriter::Finish(const CharFormat& endFormat) {
    if (crPending_) {
        crPending_ = false;
        WriteCharacter("\r", crFormat_);
        loneCr_ = LoneCarriageReturn::Present;
    }
    WriteCharacter({}, endFormat);
    return {std::move(text_), loneCr_};
}

void FormatTextWriter::WriteCharacter(std::string_view character, const CharFormat& format) {
    CharFormat stored = format;
    stored.face = StoredFace(format.face);
    std::string_view runText = character == "\r\n" ? kLineBreakWord : character;
    if (SameStoredFormat(stored, previous_)) {
        text_.append(kRepeatWord).append(kTag);
    } else {
        text_.append(IntToText(stored.size)).append(kTag);
        text_.append(IntToText(stored.effects)).append(kTag);
        text_.append(IntToText(static_cast<std::int32_t>(stored.colour))).append(kTag);
        text_.append(runText).append(kTag);
        text_.append(kBackupWord).append(kTag);
        runText = stored.face;
    }
    text_.append(runText).append(kRecordEnd);
    previous_ = std::move(stored);
}

FormatTextResult WriteFormatText(const StyledText& content) {
    FormatTextWriter writer;
    for (const StyledRun& run : content.runs) {
        writer.Append(run.text, run.format);
    }
    return writer.Finish(content.endFormat);
}

bool IsReadableRecord(std::string_view line) {
    const std::size_t fields = SplitText(line, kTag).size();
    return fields == 6 || fields == 2;
}

StyledText ReadFormatText(std::string_view formatText) {
    StyledText content;
    CharFormat working; // its offset stays 0: the format does not store one
    for (const std::string& line : SplitText(formatText, kRecordEnd)) {
        std::vector<std::string> fields = SplitText(line, kTag);
        std::string_view runText;
        if (fields.size() == 6) {
            working.size = TextToInt(fields[0]);
            working.effects = TextToInt(fields[1]);
            working.colour = ReadColour(fields[2]);
            working.face = StoredFace(fields[5]);
            runText = fields[3];
        } else if (fields.size() == 2) {
            runText = fields[1]; // field 1 is not examined: any word makes a repeat record
        } else {
            continue;
        }
        if (runText == kLineBreakWord) {
            runText = "\r\n";
        }
        if (runText.empty()) {
            continue;
        }
        if (!content.runs.empty() && content.runs.back().format == working) {
            content.runs.back().text.append(runText);
        } else {
            content.runs.push_back({std::string(runText), working});
        }
    }
    content.endFormat = working;
    return content;
}

std::string ShiftForFile(std::string_view bytes, std::uint8_t key) {
    std::string out(bytes);
    for (char& b : out) {
        b = static_cast<char>(static_cast<unsigned char>(b) + key);
    }
    return out;
}

std::string UnshiftFromFile(std::string_view bytes, std::uint8_t key) {
    return ShiftForFile(bytes, static_cast<std::uint8_t>(-key)); // mod 256
}

EncodedIntroduction EncodeIntroduction(const StyledText& content) {
    FormatTextResult written = WriteFormatText(content);
    return {ShiftForFile(EncodeGbk(written.text)), written.loneCr};
}

DecodedIntroduction DecodeIntroductionFile(std::string_view fileBytes) {
    // Nearly every file reads under our key, so it is read under that first: one that gives any
    // run holds a record, and then DetectFileKey would choose our key too.
    StyledText content = DecodeIntroduction(fileBytes, kFileKey);
    if (!content.runs.empty() || fileBytes.empty()) {
        return {std::move(content), kFileKey};
    }
    const std::optional<std::uint8_t> key = DetectFileKey(fileBytes);
    if (key && *key != kFileKey) {
        content = DecodeIntroduction(fileBytes, *key);
    }
    return {std::move(content), key};
}

StyledText DecodeIntroduction(std::string_view fileBytes) {
    return DecodeIntroductionFile(fileBytes).content;
}

StyledText DecodeIntroduction(std::string_view fileBytes, std::uint8_t key) {
    return ReadFormatText(BytesToText(UnshiftFromFile(fileBytes, key)));
}

} // namespace penrica
