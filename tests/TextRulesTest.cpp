#include "platform/core/TextRules.h"

#include <gtest/gtest.h>

#include <climits>

using namespace penrica;

namespace {

struct SplitCase {
    const char* text;
    const char* separator;
    std::vector<std::string> fields;
};

class SplitRule : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRule, GivesTheFields) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitText(c.text, c.separator), c.fields) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitRule,
    ::testing::Values(SplitCase{"152！87！印堂！", "！", {"152", "87", "印堂"}},
                      SplitCase{"152！87！印堂", "！", {"152", "87", "印堂"}},
                      SplitCase{"！87！印堂！", "！", {"", "87", "印堂"}}, SplitCase{"", "！", {}},
                      SplitCase{"！", "！", {""}}, SplitCase{"a！！b", "！", {"a", "", "b"}},
                      SplitCase{"A！B！C！D！", "！", {"A", "B", "C", "D"}},
                      SplitCase{"字体名称=", "=", {"字体名称"}},
                      SplitCase{"a=b=c", "=", {"a", "b", "c"}},
                      SplitCase{
                          "同上<vorn>穴\r\n12<vorn>1\r\n", "\r\n", {"同上<vorn>穴", "12<vorn>1"}},
                      SplitCase{"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
                      // A separator whose bytes appear inside a character never matches there:
                      // U+FF01 is EF BC 81, and U+FF3C (＼) shares its first two bytes.
                      SplitCase{"＼！x", "！", {"＼", "x"}}, SplitCase{"印堂", "\x82", {"印堂"}}));

struct IntCase {
    const char* text;
    std::int32_t value;
};

class TextToIntRule : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntRule, ReadsTheLeadingNumber) {
    EXPECT_EQ(TextToInt(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToIntRule,
    ::testing::Values(IntCase{"152", 152}, IntCase{"-3", -3}, IntCase{"+7", 7},
                      IntCase{"  42abc", 42}, IntCase{"abc", 0}, IntCase{"", 0}, IntCase{"-", 0},
                      IntCase{"１５２", 152}, IntCase{"－１２", -12}, IntCase{"　８７", 87},
                      IntCase{"12pt", 12}, IntCase{"0x10", 0}, IntCase{"2147483647", INT_MAX},
                      IntCase{"2147483648", INT_MAX}, IntCase{"-2147483648", INT_MIN},
                      IntCase{"-2147483649", INT_MIN},
                      IntCase{"99999999999999999999999999", INT_MAX},
                      IntCase{"-99999999999999999999999999", INT_MIN}, IntCase{"\t\n9", 9}));

TEST(HalfWidth, ConvertsOnlyFullWidthForms) {
    EXPECT_EQ(ToHalfWidth("６４０！４８０"), "640!480");
    EXPECT_EQ(ToHalfWidth("印堂"), "印堂");
    EXPECT_EQ(ToHalfWidth("a\xE4"), "a\xE4"); // a broken sequence passes through unchanged
}

} // namespace
