// The multicolour reader and the file decode on any bytes, taken as a marker or .vorn file.
//
// Properties: reading gives maximal runs of text with offset 0 and faces the editor can hold;
// saving what was read keeps every character and the end format; and from then on a save and a
// read change nothing, so opening and saving a file again and again never drifts.

#include "fuzz/FuzzCheck.h"
#include "introductions/core/MulticolourText.h"
#include "platform/core/TextCodec.h"

using namespace penrica;
using namespace penrica::fuzz;

namespace {

std::string AllText(const StyledText& content) {
    std::string text;
    for (const StyledRun& run : content.runs) {
        text += run.text;
    }
    return text;
}

void CheckFormat(const CharFormat& format) {
    Check(format.offset == 0, "the offset is never read");
    Check(!format.face.empty() && GbkLength(format.face) <= kMaxFaceBytes,
          "the editor can hold the face");
}

void CheckRead(const StyledText& content) {
    for (std::size_t i = 0; i < content.runs.size(); ++i) {
        Check(!content.runs[i].text.empty(), "no empty run");
        Check(i == 0 || content.runs[i - 1].format != content.runs[i].format, "runs are maximal");
        CheckFormat(content.runs[i].format);
    }
    CheckFormat(content.endFormat);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);

    // Format text that never went through the codec must not crash the reader either.
    ReadFormatText(bytes);

    const StyledText opened = DecodeIntroduction(bytes);
    CheckRead(opened);
    Check(IsValidUtf8(AllText(opened)), "read text is UTF-8");

    const EncodedIntroduction saved = EncodeIntroduction(opened);
    const StyledText reopened = DecodeIntroduction(saved.bytes);
    CheckRead(reopened);
    Check(AllText(reopened) == AllText(opened), "a save keeps every character");
    Check(reopened.endFormat == opened.endFormat, "a save keeps the end format");

    const EncodedIntroduction savedAgain = EncodeIntroduction(reopened);
    Check(savedAgain.bytes == saved.bytes, "saving what was read again gives the same file");
    Check(savedAgain.loneCr == saved.loneCr, "a lone CR is reported the same way");
    Check(DecodeIntroduction(savedAgain.bytes) == reopened, "and reads back the same");
    return 0;
}
