// Marker records, the marker list and the size file.

#include "markers/core/MarkerRecord.h"
#include "TempFolder.h"
#include "platform/core/Files.h"

#include <gtest/gtest.h>

namespace {

using namespace penrica;

TEST(MarkerRecord, ParseAndMake) {
    struct Case {
        const char* record;
        bool wellFormed;
        int x, y;
        const char* name;
    };
    const Case cases[] = {
        {"152！87！印堂！", true, 152, 87, "印堂"},
        {"152！87！印堂", true, 152, 87, "印堂"},
        {"-3！12！X！", true, -3, 12, "X"},
        {"１５２！８７！印堂！", true, 152, 87, "印堂"},
        {"0！0！0！", true, 0, 0, "0"},
        {"！87！印堂！", true, 0, 87, "印堂"},
        {"a！b！足 三里！", true, 0, 0, "足 三里"},
        {"1！2！A！B！", false, 0, 0, ""},
        {"640！480", false, 0, 0, ""},
        {"", false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseRecord(c.record);
        ASSERT_EQ(parsed.has_value(), c.wellFormed) << c.record;
        if (parsed) {
            EXPECT_EQ(parsed->x, c.x) << c.record;
            EXPECT_EQ(parsed->y, c.y) << c.record;
            EXPECT_EQ(parsed->name, c.name) << c.record;
        }
    }
    EXPECT_EQ(MakeRecord(152, 87, "印堂"), "152！87！印堂！");
    EXPECT_EQ(MakeRecord(-3, 0, "X"), "-3！0！X！");
}

TEST(MarkerList, FilesOnlyWithSizeFile) {
    TempFolder root;
    ProgramFolder folder(root.path());
    EXPECT_TRUE(ListMarkerFiles(folder, "头部.jpg").empty()); // no marker folder at all
    ASSERT_TRUE(CreateFolder(folder.MarkerRoot()));
    ASSERT_TRUE(CreateFolder(MarkerFolder(folder, "头部.jpg")));
    ASSERT_TRUE(WriteSizeFile(folder, "头部.jpg", {640, 480}));
    EXPECT_EQ(ListMarkerFiles(folder, "头部.jpg"), std::vector<std::string>{"0！0！0！"});
    ASSERT_TRUE(WriteWholeFile(MarkerFilePath(folder, "头部.jpg", "1！1！甲！"), ""));
    ASSERT_TRUE(WriteWholeFile(MarkerFilePath(folder, "头部.jpg", "1！1！乙！"), ""));
    ASSERT_TRUE(CreateFolder(MarkerFolder(folder, "头部.jpg") / "sub"));
    auto list = ListMarkerFiles(folder, "头部.jpg");
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::string>{"0！0！0！", "1！1！乙！", "1！1！甲！"}));
}

TEST(SizeFile, ValidAndDamagedContents) {
    struct Case {
        std::string bytes;
        PictureSize expected;
    };
    const Case cases[] = {
        {"640\xA3\xA1"
         "480",
         {640, 480}},
        {"\xA3\xB6\xA3\xB4\xA3\xB0\xA3\xA1\xA3\xB4\xA3\xB8\xA3\xB0", {640, 480}}, // full width
        {"640", {}},
        {"0\xA3\xA1"
         "480",
         {}},
        {"-640\xA3\xA1"
         "480",
         {}},
        {"640\xA3\xA1"
         "480\xA3\xA1"
         "1",
         {}},
        {"", {}},
        {"\xFF\xFE\x80", {}},
        // Taken only up to the first zero byte, like every stored text.
        {std::string("640\xA3\xA1"
                     "480\0\xA3\xA1"
                     "1",
                     11),
         {640, 480}},
        {std::string("640\xA3\xA1\0"
                     "480",
                     7),
         {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSizeFile(c.bytes), c.expected) << c.bytes;
    }
    EXPECT_EQ(SizeFileBytes({640, 480}), "640\xA3\xA1"
                                         "480");
}

} // namespace
