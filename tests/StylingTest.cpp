// Colour names and the quick formats' conversion into a character format.

#include "TempFolder.h"
#include "styling/core/ColourNames.h"
#include "styling/core/QuickFormat.h"

#include <gtest/gtest.h>

namespace {

using namespace penrica;

TEST(ColourNameToValue, ExactNamesOnly) {
    EXPECT_EQ(ColourNameToValue("#黑色"), 0x000000u);
    EXPECT_EQ(ColourNameToValue("#蓝色"), 0xFF0000u);
    EXPECT_EQ(ColourNameToValue("#藏蓝"), 0xE03058u);
    EXPECT_EQ(ColourNameToValue("#透明"), kAutomaticColour);
    for (const char* wrong : {"#黑色 ", "黑色", " #黑色", "", "#", "#黑"}) {
        EXPECT_FALSE(ColourNameToValue(wrong).has_value()) << wrong;
    }
    // Every name is found with its own value, and the list text holds them in order.
    std::string expected;
    for (const ColourName& c : kColourNames) {
        EXPECT_EQ(ColourNameToValue(c.name), c.value) << c.name;
        expected += std::string(expected.empty() ? "" : "\r\n") + c.name;
    }
    EXPECT_EQ(ColourNameText(), expected);
    EXPECT_EQ(ColourNameText().rfind("#透明"),
              ColourNameText().size() - std::string("#透明").size());
}

TEST(QuickFormat, TextsBecomeAFormat) {
    struct Case {
        QuickFormatTexts texts;
        CharFormat expected;
    };
    const Case cases[] = {
        {{"11", "#黑色", "黑体", "0"}, {"黑体", 11, 0, 0, 0x000000}},
        {{"11", "#蓝色", "宋体", "5"}, {"宋体", 11, 0, kBold | kUnderline, 0xFF0000}},
        {{"12", "#透明", "宋体", "16"}, {"宋体", 12, 0, kProtected, kAutomaticColour}},
        {{"12", "#蓝色 ", "宋体", "35"}, {"宋体", 12, 0, 3, kAutomaticColour}},
        {{"", "", "", ""}, {"", 0, 0, 0, kAutomaticColour}},
        {{"14pt", "蓝色", "楷体_GB2312", "x"}, {"楷体_GB2312", 14, 0, 0, kAutomaticColour}},
        {{"9", "#红色", std::string(20, 'F') + "字字字字字字", "0"},
         {std::string(20, 'F') + "字字字字字", 9, 0, 0, 0x0000FF}}, // 31 bytes, whole characters
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuickFormatToCharFormat(c.texts), c.expected) << c.texts.face;
    }
}

TEST(QuickFormat, ReadAndWriteTheFile) {
    TempFolder root;
    ConfigFile config(root.path() / "peizhi.ini");
    config.EnsureConfigFile();
    QuickFormatTexts four = ReadQuickFormat(config, "字符格式4");
    EXPECT_EQ(four.size, "11");
    EXPECT_EQ(four.colour, "#黑色");
    EXPECT_EQ(four.face, "黑体");
    EXPECT_EQ(four.effects, "0");
    WriteQuickFormat(config, "字符格式2", {"abc", "#不存在", "", "16"});
    const QuickFormatTexts two = ReadQuickFormat(config, "字符格式2");
    EXPECT_EQ(two.size, "abc");
    EXPECT_EQ(two.colour, "#不存在");
    EXPECT_EQ(two.effects, "16");
    WriteQuickFormat(config, "字符格式9", {"1", "2", "3", "4"});
    EXPECT_EQ(ReadQuickFormat(config, "字符格式9").size, "");
}

} // namespace
