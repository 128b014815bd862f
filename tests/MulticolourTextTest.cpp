#include "introductions/core/MulticolourText.h"
#include "CaseName.h"

#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>

#include <random>

using namespace penrica;

namespace {

const CharFormat kDefault{};
const CharFormat kBoldRedHei{"黑体", 12, 0, kBold, 0x0000FF};

CharFormat With(CharFormat f, void (*change)(CharFormat&)) {
    change(f);
    return f;
}

std::string Repeat(std::string_view text) {
    return "同上<vorn>" + std::string(text) + "\r\n";
}

TEST(MulticolourWriter, WorkedExampleGivesItsFourRecords) {
    StyledText content{{{"穴", kDefault}, {"A\r\n", kBoldRedHei}}, kBoldRedHei};
    EXPECT_EQ(WriteFormatText(content).text, "同上<vorn>穴\r\n"
                                             "12<vorn>1<vorn>255<vorn>A<vorn>beifen<vorn>黑体\r\n"
                                             "同上<vorn>huanhang\r\n"
                                             "同上<vorn>\r\n");
}

struct WriteCase {
    const char* name;
    StyledText content;
    std::string expected;
};

class MulticolourWriterCases : public ::testing::TestWithParam<WriteCase> {};

TEST_P(MulticolourWriterCases, WritesTheRecords) {
    EXPECT_EQ(WriteFormatText(GetParam().content).text, GetParam().expected) << GetParam().name;
}

const CharFormat kBlue = With(kDefault, [](CharFormat& f) { f.colour = 0xFF0000; });
const CharFormat kRaised = With(kDefault, [](CharFormat& f) { f.offset = 5; });
const CharFormat kLongFace =
    With(kDefault, [](CharFormat& f) { f.face = "ab一二三四五六七八九十甲乙丙丁戊"; });
const CharFormat kNoFace = With(kBlue, [](CharFormat& f) { f.face.clear(); });

INSTANTIATE_TEST_SUITE_P(
    Cases, MulticolourWriterCases,
    ::testing::Values(
        WriteCase{"empty editor", {{}, kDefault}, Repeat("")},
        WriteCase{"empty editor, other format",
                  {{}, kBlue},
                  "9<vorn>0<vorn>16711680<vorn><vorn>beifen<vorn>宋体\r\n"},
        WriteCase{"first run not default",
                  {{{"x", kBlue}}, kBlue},
                  "9<vorn>0<vorn>16711680<vorn>x<vorn>beifen<vorn>宋体\r\n" + Repeat("")},
        WriteCase{"offset alone repeats",
                  {{{"a", kDefault}, {"b", kRaised}}, kRaised},
                  Repeat("a") + Repeat("b") + Repeat("")},
        WriteCase{"CR and LF in two spans are one break",
                  {{{"a\r", kBlue}, {"\n", kDefault}}, kDefault},
                  "9<vorn>0<vorn>16711680<vorn>a<vorn>beifen<vorn>宋体\r\n" + Repeat("huanhang") +
                      "9<vorn>0<vorn>-16777216<vorn><vorn>beifen<vorn>宋体\r\n"},
        // 32 GBK bytes: the cut keeps 30, never half of 戊.
        WriteCase{
            "long face cut",
            {{}, kLongFace},
            "9<vorn>0<vorn>-16777216<vorn><vorn>beifen<vorn>ab一二三四五六七八九十甲乙丙丁\r\n"},
        WriteCase{"empty face stored as the default face",
                  {{{"a", kNoFace}}, kBlue},
                  "9<vorn>0<vorn>16711680<vorn>a<vorn>beifen<vorn>宋体\r\n" + Repeat("")},
        WriteCase{"NUL never written",
                  {{{std::string("a\0b", 3), kDefault}}, kDefault},
                  Repeat("a") + Repeat("b") + Repeat("")}),
    CaseName<WriteCase>);

TEST(MulticolourWriter, RecordsDoNotDependOnHowSpansAreCut) {
    StyledText maximal{{{"ab穴", kBlue}, {"\r\nc", kDefault}, {"d", kRaised}}, kBlue};
    FormatTextWriter perCharacter;
    const CharFormat* formats[] = {&kBlue, &kBlue, &kBlue, &kDefault, &kDefault, &kBlue, &kDefault};
    const char* pieces[] = {"a", "b", "穴", "\r", "\nc", "", "d"};
    for (int i = 0; i < 7; ++i) {
        perCharacter.Append(pieces[i], *formats[i]);
    }
    EXPECT_EQ(perCharacter.Finish(kBlue).text, WriteFormatText(maximal).text);
}

TEST(MulticolourWriter, LoneCrIsOneCharacterAndReportedOnce) {
    FormatTextResult result = WriteFormatText({{{"a\r\rb\r", kDefault}}, kDefault});
    EXPECT_EQ(result.text,
              Repeat("a") + Repeat("\r") + Repeat("\r") + Repeat("b") + Repeat("\r") + Repeat(""));
    EXPECT_EQ(result.loneCr, LoneCarriageReturn::Present);
    EXPECT_EQ(WriteFormatText({{{"a\r\n", kDefault}}, kDefault}).loneCr,
              LoneCarriageReturn::Absent);
}

struct ColourCase {
    const char* name;
    const char* field;
    std::uint32_t colour;
};

class MulticolourColourField : public ::testing::TestWithParam<ColourCase> {};

TEST_P(MulticolourColourField, ReadsAsFloatTruncatedToLow32Bits) {
    std::string line =
        std::string("9<vorn>0<vorn>") + GetParam().field + "<vorn>x<vorn>beifen<vorn>宋体";
    StyledText content = ReadFormatText(line);
    ASSERT_EQ(content.runs.size(), 1u);
    EXPECT_EQ(content.runs[0].format.colour, GetParam().colour) << GetParam().field;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulticolourColourField,
    ::testing::Values(ColourCase{"automatic", "-16777216", kAutomaticColour},
                      ColourCase{"fraction truncated", "255.9", 255},
                      ColourCase{"minus one", "-1", 0xFFFFFFFF},
                      ColourCase{"above 32 bits keeps the low bits", "4294967551", 255},
                      ColourCase{"exponent", "1.6711680e7", 0xFF0000},
                      ColourCase{"full-width digits after spaces", "  ２５５x", 255},
                      ColourCase{"no number", "abc", 0}, ColourCase{"beyond double", "1e999", 0},
                      ColourCase{"infinity", "inf", 0}, ColourCase{"not a number", "nan", 0},
                      ColourCase{"beyond 64 bits", "1e19", 0},
                      ColourCase{"near the 64-bit minimum", "-9223372036854773760", 2048}),
    CaseName<ColourCase>);

TEST(MulticolourReader, SixFieldsWithEmptyTextSetTheFormatForRepeats) {
    StyledText content = ReadFormatText("9<vorn>0<vorn>16711680<vorn><vorn>beifen<vorn>宋体\r\n"
                                        "12<vorn>1<vorn>255<vorn><vorn>beifen<vorn>黑体\r\n"
                                        "同上<vorn>A\r\n"
                                        "任意<vorn>huanhang\r\n"
                                        "同上<vorn>\r\n");
    EXPECT_EQ(content, (StyledText{{{"A\r\n", kBoldRedHei}}, kBoldRedHei}));
}

TEST(MulticolourReader, SkipsLinesThatAreNotTwoOrSixFields) {
    StyledText content =
        ReadFormatText("同上\r\n\r\n1<vorn>2<vorn>3\r\n1<vorn>2<vorn>3<vorn>4<vorn>5\r\n"
                       "1<vorn>2<vorn>3<vorn>4<vorn>5<vorn>6<vorn>7\r\n同上<vorn>a\r\n"
                       "9<vorn>0<vorn>16711680<vorn>b<vorn>beifen<vorn>宋体");
    EXPECT_EQ(content, (StyledText{{{"a", kDefault}, {"b", kBlue}}, kBlue}));
}

TEST(MulticolourReader, LongFaceInFileIsCutAtACharacterBoundary) {
    StyledText content =
        ReadFormatText("9<vorn>0<vorn>0<vorn>x<vorn>beifen<vorn>" + kLongFace.face);
    ASSERT_EQ(content.runs.size(), 1u);
    EXPECT_EQ(content.runs[0].format.face, "ab一二三四五六七八九十甲乙丙丁");
}

TEST(MulticolourFile, UserTextThatLooksLikeTheFormatSurvives) {
    StyledText content{{{"<vorn>huanhang\r\n同上\r", kDefault}, {"beifen😀<vorn>", kBoldRedHei}},
                       kBoldRedHei};
    EncodedIntroduction encoded = EncodeIntroduction(content);
    EXPECT_EQ(DecodeIntroduction(encoded.bytes), content);
    EXPECT_EQ(EncodeIntroduction(DecodeIntroduction(encoded.bytes)).bytes, encoded.bytes);
}

TEST(MulticolourFile, ShiftUsesTheKeyAndAZeroByteEndsTheText) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(UnshiftFromFile(ShiftForFile(all)), all);
    const std::string expected{static_cast<char>(1 + kFileKey), static_cast<char>(kFileKey - 1)};
    EXPECT_EQ(ShiftForFile("\x01\xFF"), expected);
    std::string stored = ShiftForFile(EncodeGbk(Repeat("a")) + '\0' + EncodeGbk(Repeat("b")));
    EXPECT_EQ(DecodeIntroduction(stored), (StyledText{{{"a", kDefault}}, kDefault}));
    EXPECT_EQ(DecodeIntroduction(""), StyledText{});
}

// Whatever a damaged file holds, it decodes, and what the program writes from it reads back to
// the same records.
TEST(MulticolourFile, GarbageDecodesAndThenRoundTrips) {
    const std::vector<std::string> tokens{"<vorn>",   "\r\n",   "\r", "\n",  "同上",
                                          "huanhang", "beifen", "-1", "12",  "1e999",
                                          ".",        "a",      "穴", "黑体"};
    std::mt19937 random(4);
    std::string valid =
        EncodeIntroduction({{{"穴A\r\n", kBoldRedHei}, {"b", kBlue}}, kDefault}).bytes;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        if (round < static_cast<int>(valid.size())) {
            bytes = valid.substr(0, round); // every truncation of a good file
        } else if (round % 2 == 0) {
            for (int i = random() % 64; i > 0; --i) {
                bytes.push_back(static_cast<char>(random()));
            }
        } else {
            std::string text;
            for (int i = random() % 40; i > 0; --i) {
                text += tokens[random() % tokens.size()];
            }
            bytes = ShiftForFile(EncodeGbk(text));
        }
        std::string once = WriteFormatText(DecodeIntroduction(bytes)).text;
        EXPECT_EQ(WriteFormatText(ReadFormatText(once)).text, once) << round;
    }
}

} // namespace
