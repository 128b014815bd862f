#pragma once
// The multicolour text format (五彩文本): the tagged text in which an introduction is stored in a
// marker file or a .vorn file, its writer and reader, and the byte shift of the stored form.
//
// The format text is a list of records, each ended by "\r\n", fields joined by "<vorn>":
//   full record    SIZE<vorn>EFFECTS<vorn>COLOUR<vorn>TEXT<vorn>beifen<vorn>FACE
//   repeat record  同上<vorn>TEXT            (the format of the run before)
// The writer writes one record per character plus one for the end position; a line break is
// the TEXT "huanhang". COLOUR is the colour's signed 32-bit value.
//
// Malformed input never fails and never crashes: the reader skips every line that does not split
// into 2 or 6 fields, an unreadable number reads as 0 (a colour that is out of range, infinite or
// not a number too), and undecodable bytes read as U+FFFD. A text with no valid line gives no
// runs. An empty file is an empty introduction.
//
// Texts here are UTF-8; a line break inside a run is "\r\n". The GBK bytes exist only in the
// file-facing pair EncodeIntroduction / DecodeIntroduction.

#include "platform/core/CharFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penrica {

// The file key: a stored byte is (b + kFileKey) mod 256. Every file the program writes or reads
// uses it, so it must never change.
inline constexpr std::uint8_t kFileKey = 0x37;

// The words of the format.
inline constexpr std::string_view kFormatTag = "<vorn>";
inline constexpr std::string_view kFormatRecordEnd = "\r\n";
inline constexpr std::string_view kRepeatWord = "同上";
inline constexpr std::string_view kLineBreakWord = "huanhang";
inline constexpr std::string_view kBackupWord = "beifen";
// The writer's end record in the format of the run before: one field by the splitting rule.
inline constexpr std::string_view kEmptyRepeatRecord = "同上<vorn>";

struct StyledRun {
    std::string text; // UTF-8, line breaks "\r\n"
    CharFormat format;

    bool operator==(const StyledRun&) const = default;
};

// An editor's content: its runs in order and the format the editor reports at the end position
// (an empty selection after the last character, or in an empty editor).
struct StyledText {
    std::vector<StyledRun> runs;
    CharFormat endFormat;

    bool operator==(const StyledText&) const = default;
};

// Whether the content held a CR not followed by LF. The caller tells the user once per save.
enum class LoneCarriageReturn { Absent, Present };

struct FormatTextResult {
    std::string text; // UTF-8 format text, always ending with "\r\n"
    LoneCarriageReturn loneCr = LoneCarriageReturn::Absent;
};

// Writes format text from the editor's content, fed in order as spans of one format each. The
// spans need not be maximal: any split of the same characters gives the same text, because the
// writer walks character by character and compares each character's format with the one before
// (effects, face, size and colour; the offset is neither compared nor stored).
//
// A "\r" ending one span and a "\n" starting the next are one line break, in the format of the
// "\r". A span's text should hold whole UTF-8 characters; a broken sequence counts as one
// character. The character U+0000 is never written: the stored text would end there.
// A face is stored as the editor holds it: cut to kMaxFaceBytes GBK bytes at a character
// boundary, an empty face as the default face (an empty FACE field would make the reader skip
// the record). A face containing "<vorn>" or a line break cannot be stored.
class FormatTextWriter {
public:
    void Append(std::string_view text, const CharFormat& format);
    // Writes the end record in `endFormat` and returns the whole text. Call once.
    FormatTextResult Finish(const CharFormat& endFormat);

private:
    void WriteCharacter(std::string_view character, const CharFormat& format);

    std::string text_;
    CharFormat previous_;
    bool crPending_ = false;
    CharFormat crFormat_;
    LoneCarriageReturn loneCr_ = LoneCarriageReturn::Absent;
};

FormatTextResult WriteFormatText(const StyledText& content);

// Reads format text into maximal runs: adjacent records of equal format are joined, and records
// with empty TEXT add no run but still set the format that later repeat records use. The
// returned endFormat is the working format after the last line; every format read has offset 0.
// A face longer than kMaxFaceBytes GBK bytes is cut at a character boundary, and an empty one
// (a line ending in "<vorn><vorn>" has six fields) reads as the default face, as it is written.
StyledText ReadFormatText(std::string_view formatText);

// True for a line (without its "\r\n") that the reader takes as a record: 2 or 6 fields.
bool IsReadableRecord(std::string_view line);

// The byte shift of the stored form, and its inverse.
std::string ShiftForFile(std::string_view bytes, std::uint8_t key = kFileKey);
std::string UnshiftFromFile(std::string_view bytes, std::uint8_t key = kFileKey);

struct EncodedIntroduction {
    std::string bytes; // the whole content of the file
    LoneCarriageReturn loneCr = LoneCarriageReturn::Absent;
};

// Content -> the bytes of a marker or .vorn file: format text, GBK (GB18030 for characters GBK
// lacks), shifted.
EncodedIntroduction EncodeIntroduction(const StyledText& content);

// The bytes of a file -> content: unshifted with the key the file was written with (see
// DetectFileKey), cut at the first zero byte, decoded, read. `key` is empty when the file reads
// under no key; its content is then what our key reads, as good as empty.
struct DecodedIntroduction {
    StyledText content;
    std::optional<std::uint8_t> key;
};
DecodedIntroduction DecodeIntroductionFile(std::string_view fileBytes);
// Only the content of DecodeIntroductionFile.
StyledText DecodeIntroduction(std::string_view fileBytes);
// The same under a given key.
StyledText DecodeIntroduction(std::string_view fileBytes, std::uint8_t key);

} // namespace penrica
