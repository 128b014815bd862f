// The atlas generator without a browser: what it reads from a program folder, how it escapes
// and what data it gives the page. The site it writes and what it refuses: AtlasSiteTest.cpp.

#include "AtlasLibraryFixture.h"
#include "BmpPicture.h"
#include "CaseName.h"
#include "atlas/AtlasData.h"
#include "atlas/AtlasLibrary.h"
#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <map>

using namespace penrica;

namespace {

namespace fs = std::filesystem;

const CharFormat kDefault{};
const CharFormat kBoldRed{"黑体", 12, 0, kBold, 0x0000FF};

struct JsonCase {
    const char* name;
    std::string text;
    std::string json;
};

void PrintTo(const JsonCase& c, std::ostream* os) {
    *os << c.name;
}

class AtlasJsonString : public ::testing::TestWithParam<JsonCase> {};

TEST_P(AtlasJsonString, CannotEndTheScriptOrTheString) {
    EXPECT_EQ(JsonString(GetParam().text), GetParam().json) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtlasJsonString,
    ::testing::Values(JsonCase{"plain", "印堂 A😀", "\"印堂 A😀\""},
                      JsonCase{"quote and backslash", "\"\\", "\"\\\"\\\\\""},
                      JsonCase{"controls", "a\nb\r\t\x01", "\"a\\nb\\u000d\\u0009\\u0001\""},
                      JsonCase{"markup", "</script><!--&",
                               "\"\\u003c/script\\u003e\\u003c!--\\u0026\""},
                      JsonCase{"line separators", "\u2028\u2029", "\"\\u2028\\u2029\""},
                      JsonCase{"not UTF-8",
                               "\xFF"
                               "a\xC0\xAF\xED\xA0\x80\xE4\xB8",
                               "\"\\ufffda\\ufffd\\ufffd\\ufffd\""}),
    CaseName<JsonCase>);

TEST(AtlasCss, ColoursAndFaces) {
    EXPECT_EQ(CssColour(0x0000FF), "#ff0000");
    EXPECT_EQ(CssColour(0xFF0000), "#0000ff");
    EXPECT_EQ(CssColour(0x123456), "#563412");
    EXPECT_EQ(CssColour(kAutomaticColour), "");
    EXPECT_EQ(CssFontFamily("黑体"), "\"黑体\", \"SimHei\", \"Microsoft YaHei\", "
                                     "\"WenQuanYi Micro Hei\", \"WenQuanYi Zen Hei\"");
    EXPECT_EQ(CssFontFamily("Odd\"Face\\\n"), "\"Odd\\\"Face\\\\\\0a \"");
}

TEST(AtlasLibrary, MarkersIntroductionsAndReports) {
    Library t;
    const StyledText styled{{{"穴", kDefault}, {"A\r\n", kBoldRed}}, kBoldRed};
    t.Image("头部.bmp", BmpBytes(40, 30), {40, 30});
    t.Marker("头部.bmp", "12！7！印堂！", EncodeIntroduction(styled).bytes);
    t.Marker("头部.bmp", "3！4！空！", "");
    t.Marker("头部.bmp", "5！6！外来！",
             ShiftForFile(EncodeGbk(WriteFormatText(styled).text), 0x99));
    t.Marker("头部.bmp", "7！8！乱码！", std::string("\x01\xFE\x80junk", 7));
    t.Marker("头部.bmp", "1！2！坏！名！", "");
    t.Image("notes.txt", "not a picture", {300, 200});

    const AtlasLibrary library = ReadAtlasLibrary(t.folder);
    const std::vector<std::string> listed = ListFolder(t.folder.ImageFolder(), EntryKind::Files);
    ASSERT_EQ(library.images.size(), 2u);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(library.images[i].name, listed[i]) << "listing order";
    }
    const auto& head = *std::find_if(library.images.begin(), library.images.end(),
                                     [](const AtlasImage& i) { return i.name == "头部.bmp"; });
    const auto& notes = *std::find_if(library.images.begin(), library.images.end(),
                                      [](const AtlasImage& i) { return i.name == "notes.txt"; });
    EXPECT_EQ(head.picture, Picture::Readable);
    EXPECT_EQ(head.size, (PictureSize{40, 30}));
    EXPECT_EQ(notes.picture, Picture::Unreadable);
    EXPECT_EQ(notes.size, (PictureSize{300, 200})) << "the size file stands in";
    EXPECT_TRUE(notes.markers.empty()) << "the size file is no acupoint";

    std::map<std::string, StyledText> introductions;
    for (const AtlasMarker& marker : head.markers) {
        introductions[marker.record] = marker.introduction;
    }
    EXPECT_EQ(introductions.size(), 4u);
    EXPECT_EQ(introductions["12！7！印堂！"], styled);
    EXPECT_EQ(introductions["5！6！外来！"], styled) << "read under its own file key";
    EXPECT_EQ(introductions["3！4！空！"], StyledText{});
    EXPECT_EQ(introductions["7！8！乱码！"], StyledText{});
    EXPECT_EQ(library.MarkerCount(), 4u);

    std::vector<AtlasReport> expected{
        {"头部.bmp", "发现不认识文件：1！2！坏！名！ 请您删除"},
        {"头部.bmp", "穴位介绍无法读取：7！8！乱码！"},
        {"notes.txt", "图片错误"},
    };
    std::vector<AtlasReport> reports = library.reports;
    auto byText = [](const AtlasReport& a, const AtlasReport& b) { return a.text < b.text; };
    std::sort(reports.begin(), reports.end(), byText);
    std::sort(expected.begin(), expected.end(), byText);
    EXPECT_EQ(reports, expected);
}

TEST(AtlasData, OneStatementWithEveryMarkerAndRun) {
    AtlasLibrary library;
    library.images.push_back(
        {"a<b>.jpg",
         Picture::Readable,
         {10, 20},
         {{"1！2！</script>！", {1, 2, "</script>"}, {{{"x\r\ny", kBoldRed}}, kDefault}}}});
    library.reports.push_back({"c.jpg", "图片错误"});
    const std::string script = AtlasDataScript(library, {"pictures/1.jpg"});
    const std::string head =
        "window.penricaAtlas = {\"images\":[\n"
        "{\"name\":\"a\\u003cb\\u003e.jpg\",\"picture\":\"pictures/1.jpg\",\"width\":10,"
        "\"height\":20,\"markers\":[\n"
        "{\"record\":\"1！2！\\u003c/script\\u003e！\",\"name\":\"\\u003c/script\\u003e\","
        "\"x\":1,\"y\":2,\"pinyin\":[],\"points\":[],\"reading\":[],\"runs\":[{\"text\":"
        "\"x\\ny\",\"font\":" +
        JsonString(CssFontFamily("黑体")) +
        ",\"size\":12,\"effects\":1,\"colour\":\"#ff0000\"}]}]}],\n"
        "\"reports\":[\n{\"image\":\"c.jpg\",\"text\":\"图片错误\"}],\n"
        "\"standard\":{\"meridians\":[\n";
    EXPECT_EQ(script.substr(0, head.size()), head);
    EXPECT_TRUE(script.ends_with("}}};\n"));
}

} // namespace
