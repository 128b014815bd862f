// Inputs that fuzzing found to break a reader, kept so the faults stay mended.

#include "introductions/core/MulticolourText.h"
#include "platform/core/TextCodec.h"
#include "styling/core/ConfigText.h"

#include <gtest/gtest.h>

using namespace penrica;

namespace {

TEST(FuzzFindings, GbkByte1ASurvivesAndOnlyBadBytesBecomeReplacement) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        // ICU substitutes U+001A for a bad single byte; the valid byte 0x1A must not read as one.
        {"the byte 0x1A",
         "a\x1A"
         "b",
         "a\x1A"
         "b"},
        {"a bad single byte",
         "a\x80"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"0xFF", "\xFF", "\xEF\xBF\xBD"},
        {"a lead byte at the end", "a\x81", "a\xEF\xBF\xBD"},
        {"a four-byte sequence cut short", "\x84\x31", "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeGbk(c.bytes), c.text) << c.what;
    }
    EXPECT_EQ(DecodeGbk(EncodeGbk("\x1A")), "\x1A");
}

TEST(FuzzFindings, EmptyFaceFieldReadsAsTheDefaultFace) {
    // Six fields, the last one empty: the line ends in "<vorn><vorn>". Read as an empty face, a
    // save wrote the default face instead, so the file changed meaning on every open and save.
    const std::string text = "12<vorn>1<vorn>255<vorn>A<vorn>beifen<vorn><vorn>\r\n";
    const StyledText read = ReadFormatText(text);
    ASSERT_EQ(read.runs.size(), 1u);
    EXPECT_EQ(read.runs[0].text, "A");
    EXPECT_EQ(read.runs[0].format, (CharFormat{CharFormat{}.face, 12, 0, kBold, 255}));

    const StyledText reopened = DecodeIntroduction(EncodeIntroduction(read).bytes);
    EXPECT_EQ(reopened, read);
}

TEST(FuzzFindings, FaceThatCutsToNothingIsWrittenAsTheDefaultFace) {
    // A stray lead byte is no whole character, so the face cuts to nothing; an empty FACE field
    // would make the reader skip the record and lose its character.
    const CharFormat broken{"\xE4", 12, 0, 0, 0};
    const std::string text = WriteFormatText({{{"x", broken}}, broken}).text;
    const StyledText read = ReadFormatText(text);
    ASSERT_EQ(read.runs.size(), 1u);
    EXPECT_EQ(read.runs[0].text, "x");
    EXPECT_EQ(read.runs[0].format.face, CharFormat{}.face);
}

TEST(FuzzFindings, KeyAddedAtTheEndLeavesNoEmptyLine) {
    // The last section runs to the end of the file and the file ends in blank lines: the key
    // line was added after the last (empty) line, which kept one empty line in the file.
    struct Case {
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {"配置项=A\r\n\r\n", "配置项=A\r\nk=v\r\n"},
        {"配置项=A\r\nx=1\r\n\r\n\r\n", "配置项=A\r\nx=1\r\nk=v\r\n"},
        {"配置项=B\r\n配置项=A\r\n\r\n", "配置项=B\r\n配置项=A\r\nk=v\r\n"},
        {"配置项=A", "配置项=A\r\nk=v\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteConfigValue(EncodeGbk(c.text), "A", "k", "v"), EncodeGbk(c.written))
            << c.text;
    }
}

} // namespace
