#include "platform/core/TextRules.h"
#include "CaseName.h"

#include <gtest/gtest.h>

#include <climits>

using namespace penrica;

namespace {

struct SplitCase {
    const char* name;
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
    ::testing::Values(
        SplitCase{"record", "152！87！印堂！", "！", {"152", "87", "印堂"}},
        SplitCase{
            "record without the last separator", "152！87！印堂", "！", {"152", "87", "印堂"}},
        SplitCase{"empty first field kept", "！87！印堂！", "！", {"", "87", "印堂"}},
        SplitCase{"empty text gives no field", "", "！", {}},
        SplitCase{"separator alone gives one empty field", "！", "！", {""}},
        SplitCase{"empty inner field kept", "a！！b", "！", {"a", "", "b"}},
        SplitCase{"four fields", "A！B！C！D！", "！", {"A", "B", "C", "D"}},
        SplitCase{"key with empty value", "字体名称=", "=", {"字体名称"}},
        SplitCase{"value holding the separator", "a=b=c", "=", {"a", "b", "c"}},
        SplitCase{"format records by line",
                  "同上<vorn>穴\r\n12<vorn>1\r\n",
                  "\r\n",
                  {"同上<vorn>穴", "12<vorn>1"}},
        SplitCase{"empty line kept", "a\r\n\r\nb", "\r\n", {"a", "", "b"}},
        // A separator whose bytes appear inside a character never matches there:
        // U+FF01 is EF BC 81, and U+FF3C (＼) shares its first two bytes.
        SplitCase{"separator sharing the first bytes of a character", "＼！x", "！", {"＼", "x"}},
        SplitCase{"separator byte inside a character", "印堂", "\x82", {"印堂"}}),
    CaseName<SplitCase>);

struct IntCase {
    const char* name;
    const char* text;
    std::int32_t value;
};

class TextToIntRule : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntRule, ReadsTheLeadingNumber) {
    EXPECT_EQ(TextToInt(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToIntRule,
    ::testing::Values(IntCase{"plain", "152", 152}, IntCase{"negative", "-3", -3},
                      IntCase{"plus sign", "+7", 7}, IntCase{"spaces and a tail", "  42abc", 42},
                      IntCase{"no digits", "abc", 0}, IntCase{"empty", "", 0},
                      IntCase{"sign alone", "-", 0}, IntCase{"full-width digits", "１５２", 152},
                      IntCase{"full-width minus", "－１２", -12},
                      IntCase{"ideographic space", "　８７", 87}, IntCase{"unit after", "12pt", 12},
                      IntCase{"hex is not read", "0x10", 0},
                      IntCase{"largest", "2147483647", INT_MAX},
                      IntCase{"one past the largest", "2147483648", INT_MAX},
                      IntCase{"smallest", "-2147483648", INT_MIN},
                      IntCase{"one past the smallest", "-2147483649", INT_MIN},
                      IntCase{"far too large", "99999999999999999999999999", INT_MAX},
                      IntCase{"far too small", "-99999999999999999999999999", INT_MIN},
                      IntCase{"tab and line feed", "\t\n9", 9}),
    CaseName<IntCase>);

TEST(HalfWidth, ConvertsOnlyFullWidthForms) {
    EXPECT_EQ(ToHalfWidth("６４０！４８０"), "640!480");
    EXPECT_EQ(ToHalfWidth("印堂"), "印堂");
    EXPECT_EQ(ToHalfWidth("a\xE4"), "a\xE4"); // a broken sequence passes through unchanged
}

} // namespace
