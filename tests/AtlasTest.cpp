// The atlas generator without a browser: what it reads from a program folder, how it escapes,
// what it reports, the site it writes, and what it refuses.

#include "BmpPicture.h"
#include "CaseName.h"
#include "TempFolder.h"
#include "atlas/AtlasData.h"
#include "atlas/AtlasLibrary.h"
#include "atlas/AtlasSite.h"
#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>

#include <ostream>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
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
                               "\"\\ufffda\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\""}),
    CaseName<JsonCase>);

TEST(AtlasCss, ColoursAndFaces) {
    EXPECT_EQ(CssColour(0x0000FF), "#ff0000");
    EXPECT_EQ(CssColour(0xFF0000), "#0000ff");
    EXPECT_EQ(CssColour(0x123456), "#563412");
    EXPECT_EQ(CssColour(kAutomaticColour), "");
    EXPECT_EQ(CssFontFamily("黑体"), "\"黑体\", \"WenQuanYi Micro Hei\", \"WenQuanYi Zen Hei\"");
    EXPECT_EQ(CssFontFamily("Odd\"Face\\\n"), "\"Odd\\\"Face\\\\\\0a \"");
}

// A program folder built file by file.
struct Library {
    TempFolder temp;
    ProgramFolder folder{temp.path() / "program"};

    Library() {
        CreateFolder(folder.Root());
        CreateFolder(folder.ImageFolder());
        CreateFolder(folder.MarkerRoot());
    }
    void Image(const std::string& name, const std::string& bytes, PictureSize size = {}) {
        ASSERT_TRUE(WriteWholeFile(ImageFile(folder, name), bytes));
        CreateFolder(MarkerFolder(folder, name));
        if (size.width > 0) {
            WriteSizeFile(folder, name, size);
        }
    }
    void Marker(const std::string& image, const std::string& record, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile(MarkerFilePath(folder, image, record), bytes));
    }
    fs::path Output() const { return temp.path() / "site"; }
};

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
    EXPECT_EQ(AtlasDataScript(library, {"pictures/1.jpg"}),
              "window.penricaAtlas = {\"images\":[\n"
              "{\"name\":\"a\\u003cb\\u003e.jpg\",\"picture\":\"pictures/1.jpg\",\"width\":10,"
              "\"height\":20,\"markers\":[\n"
              "{\"record\":\"1！2！\\u003c/script\\u003e！\",\"name\":\"\\u003c/script\\u003e\","
              "\"x\":1,\"y\":2,\"runs\":[{\"text\":\"x\\ny\",\"font\":" +
                  JsonString(CssFontFamily("黑体")) +
                  ",\"size\":12,\"effects\":1,\"colour\":\"#ff0000\"}]}]}],\n"
                  "\"reports\":[\n{\"image\":\"c.jpg\",\"text\":\"图片错误\"}]};\n");
}

// Every file under `root` with its bytes and modification time.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const fs::path& root) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        files[PathToUtf8(fs::relative(entry.path(), root))] = {
            entry.is_regular_file() ? ReadWholeFile(entry.path()) : "(folder)",
            fs::last_write_time(entry.path())};
    }
    return files;
}

TEST(AtlasSite, WritesPageDataAndPictureCopiesAndLeavesTheProgramFolderAlone) {
    Library t;
    const std::string picture = BmpBytes(40, 30);
    t.Image("头部.BMP", picture, {40, 30});
    t.Marker("头部.BMP", "12！7！印堂！", EncodeIntroduction({{{"穴", kDefault}}, kDefault}).bytes);
    t.Image("破图", "not a picture");
    const auto before = Snapshot(t.folder.Root());

    const SiteResult result = WriteAtlasSite(t.folder.Root(), t.Output());
    ASSERT_EQ(result.error, SiteError::None) << result.message;
    EXPECT_EQ(Snapshot(t.folder.Root()), before);
    EXPECT_EQ(SummaryLine(result, t.Output()),
              "图片 2 张，穴位 1 个，报告 1 条：" + PathToUtf8(t.Output() / "index.html"));

    std::vector<std::string> copies;
    const AtlasLibrary library = ReadAtlasLibrary(t.folder);
    for (std::size_t i = 0; i < library.images.size(); ++i) {
        copies.push_back(library.images[i].name == "头部.BMP"
                             ? "pictures/" + std::to_string(i + 1) + ".bmp"
                             : "");
    }
    EXPECT_EQ(ReadWholeFile(t.Output() / "index.html"), AtlasPage());
    EXPECT_EQ(ReadWholeFile(t.Output() / "atlas-data.js"), AtlasDataScript(library, copies));
    std::vector<std::string> written = ListFolder(t.Output() / "pictures", EntryKind::Files);
    ASSERT_EQ(written.size(), 1u) << "no copy of what is not a picture";
    EXPECT_EQ(ReadWholeFile(t.Output() / "pictures" / written[0]), picture);
    EXPECT_EQ(ListFolder(t.Output(), EntryKind::Files).size(), 2u);
}

TEST(AtlasSite, ThePageLoadsOnlyItsOwnFiles) {
    const std::string_view page = AtlasPage();
    EXPECT_NE(page.find("<script src=\"atlas-data.js\"></script>"), std::string_view::npos);
    EXPECT_EQ(page.find("/* atlas"), std::string_view::npos) << "style and script are inside";
    std::string rest(page);
    const std::string svg = "http://www.w3.org/2000/svg"; // a name, never fetched
    for (std::size_t at; (at = rest.find(svg)) != std::string::npos;) {
        rest.erase(at, svg.size());
    }
    EXPECT_EQ(rest.find("://"), std::string::npos);
    EXPECT_EQ(rest.find("@import"), std::string::npos);
    EXPECT_EQ(rest.find("url("), std::string::npos);
    EXPECT_EQ(rest.find("innerHTML"), std::string::npos);
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtlasSite, WritingAgainReplacesAFormerAtlasAndKeepsTheUsersFiles) {
    Library t;
    t.Image("a.bmp", BmpBytes(4, 4), {4, 4});
    t.Image("b.bmp", BmpBytes(5, 5), {5, 5});
    ASSERT_EQ(WriteAtlasSite(t.folder.Root(), t.Output()).error, SiteError::None);
    ASSERT_EQ(ListFolder(t.Output() / "pictures", EntryKind::Files).size(), 2u);
    WriteWholeFile(t.Output() / "pictures" / "mine.jpg", "my photo");
    WriteWholeFile(t.Output() / "notes.txt", "my notes");
    DeleteFile(ImageFile(t.folder, "a.bmp"));
    DeleteFile(ImageFile(t.folder, "b.bmp"));
    t.Image("c.bmp", BmpBytes(6, 6), {6, 6});
    ASSERT_EQ(WriteAtlasSite(t.folder.Root(), t.Output()).error, SiteError::None);
    EXPECT_EQ(Sorted(ListFolder(t.Output() / "pictures", EntryKind::Files)),
              (std::vector<std::string>{"1.bmp", "mine.jpg"}));
    EXPECT_EQ(ReadWholeFile(t.Output() / "pictures" / "1.bmp"), BmpBytes(6, 6));
    EXPECT_EQ(ReadWholeFile(t.Output() / "pictures" / "mine.jpg"), "my photo");
    EXPECT_EQ(ReadWholeFile(t.Output() / "notes.txt"), "my notes");
}

// What a failed run can leave: only files the atlas writes, each possibly cut short.
struct LeftoverCase {
    const char* name;
    std::map<std::string, std::string> files; // path in the output folder -> bytes
    std::vector<std::string> picturesAfter{"1.bmp"};
};

void PrintTo(const LeftoverCase& c, std::ostream* os) {
    *os << c.name;
}

class AtlasSiteLeftovers : public ::testing::TestWithParam<LeftoverCase> {};

TEST_P(AtlasSiteLeftovers, CountAsAFormerAtlas) {
    Library t;
    t.Image("a.bmp", BmpBytes(4, 4), {4, 4});
    CreateFolder(t.Output());
    CreateFolder(t.Output() / "pictures");
    for (const auto& [path, bytes] : GetParam().files) {
        ASSERT_TRUE(WriteWholeFile(t.Output() / path, bytes));
    }
    const SiteResult result = WriteAtlasSite(t.folder.Root(), t.Output());
    ASSERT_EQ(result.error, SiteError::None) << result.message;
    EXPECT_EQ(ReadWholeFile(t.Output() / "index.html"), AtlasPage());
    EXPECT_EQ(Sorted(ListFolder(t.Output() / "pictures", EntryKind::Files)),
              GetParam().picturesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtlasSiteLeftovers,
    ::testing::Values(
        LeftoverCase{"only pictures", {{"pictures/1.bmp", "cut"}, {"pictures/12.jpg", ""}}},
        LeftoverCase{
            "page cut short, data empty",
            {{"index.html", std::string(AtlasPage().substr(0, 30))}, {"atlas-data.js", ""}}},
        LeftoverCase{"data cut short",
                     {{"index.html", std::string(AtlasPage())}, {"atlas-data.js", "window.pen"}}},
        LeftoverCase{"no data, the page beside a picture of my own",
                     {{"index.html", std::string(AtlasPage())},
                      {"pictures/3.jpg", "old copy"},
                      {"pictures/mine.jpg", "my photo"}},
                     {"1.bmp", "mine.jpg"}}),
    CaseName<LeftoverCase>);

struct RefusalCase {
    const char* name;
    SiteError error;
    std::string messageStart;
    // Prepares the library; returns the program folder and the output folder to use.
    std::function<std::pair<fs::path, fs::path>(Library&)> setUp;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class AtlasSiteRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(AtlasSiteRefusal, ExplainsAndWritesNothing) {
    Library t;
    t.Image("a.bmp", BmpBytes(4, 4), {4, 4});
    const auto [program, output] = GetParam().setUp(t);
    const auto programBefore = Snapshot(t.folder.Root());
    const bool outputExisted = IsFolder(output);
    const auto outputBefore = outputExisted ? Snapshot(output) : decltype(programBefore){};

    const SiteResult result = WriteAtlasSite(program, output);
    EXPECT_EQ(result.error, GetParam().error) << GetParam().name;
    EXPECT_TRUE(result.message.starts_with(GetParam().messageStart)) << result.message;
    EXPECT_EQ(Snapshot(t.folder.Root()), programBefore);
    if (outputExisted) {
        EXPECT_EQ(Snapshot(output), outputBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtlasSiteRefusal,
    ::testing::Values(
        RefusalCase{"missing program folder", SiteError::NotProgramFolder, "程序文件夹不存在：",
                    [](Library& t) {
                        return std::pair{t.temp.path() / "nowhere", t.Output()};
                    }},
        RefusalCase{"no image folder", SiteError::NotProgramFolder,
                    "不是 Penrica 的程序文件夹（其中没有 tupian 文件夹）：",
                    [](Library& t) {
                        DeleteFolderTree(t.folder.ImageFolder());
                        return std::pair{t.folder.Root(), t.Output()};
                    }},
        RefusalCase{"no marker root", SiteError::NotProgramFolder,
                    "不是 Penrica 的程序文件夹（其中没有 zhujie 文件夹）：",
                    [](Library& t) {
                        DeleteFolderTree(t.folder.MarkerRoot());
                        return std::pair{t.folder.Root(), t.Output()};
                    }},
        RefusalCase{"output is the program folder", SiteError::OutputInsideProgramFolder,
                    "输出文件夹不能在程序文件夹里面",
                    [](Library& t) {
                        return std::pair{t.folder.Root(), t.folder.Root()};
                    }},
        RefusalCase{"output inside the image folder", SiteError::OutputInsideProgramFolder,
                    "输出文件夹不能在程序文件夹里面",
                    [](Library& t) {
                        return std::pair{t.folder.Root(),
                                         t.folder.Root() / "x" / ".." / "tupian" / "atlas"};
                    }},
        RefusalCase{"program folder inside the output", SiteError::ProgramFolderInsideOutput,
                    "程序文件夹不能在输出文件夹里面",
                    [](Library& t) {
                        return std::pair{t.folder.Root(), t.temp.path()};
                    }},
        RefusalCase{"output is a file", SiteError::OutputNotWritable, "无法写入输出文件夹",
                    [](Library& t) {
                        WriteWholeFile(t.Output(), "a file");
                        return std::pair{t.folder.Root(), t.Output()};
                    }},
        RefusalCase{"output under a file", SiteError::OutputNotWritable, "无法写入输出文件夹",
                    [](Library& t) {
                        WriteWholeFile(t.Output(), "a file");
                        return std::pair{t.folder.Root(), t.Output() / "sub"};
                    }},
        RefusalCase{"output is read-only", SiteError::OutputNotWritable, "无法写入输出文件夹",
                    [](Library& t) {
                        CreateFolder(t.Output());
                        fs::permissions(t.Output(), fs::perms::owner_write,
                                        fs::perm_options::remove);
                        return std::pair{t.folder.Root(), t.Output()};
                    }},
        RefusalCase{"output holds other files", SiteError::OutputInUse, "输出文件夹里已有别的文件",
                    [](Library& t) {
                        CreateFolder(t.Output());
                        WriteWholeFile(t.Output() / "index.html", "my own page");
                        return std::pair{t.folder.Root(), t.Output()};
                    }},
        RefusalCase{"output holds pictures of my own", SiteError::OutputInUse,
                    "输出文件夹里已有别的文件",
                    [](Library& t) {
                        CreateFolder(t.Output());
                        CreateFolder(t.Output() / "pictures");
                        WriteWholeFile(t.Output() / "pictures" / "1.bmp", "atlas-named");
                        WriteWholeFile(t.Output() / "pictures" / "mine.jpg", "my photo");
                        return std::pair{t.folder.Root(), t.Output()};
                    }},
        RefusalCase{"a picture copy is read-only", SiteError::OutputNotWritable,
                    "无法写入输出文件夹",
                    [](Library& t) {
                        WriteAtlasSite(t.folder.Root(), t.Output());
                        fs::permissions(t.Output() / "pictures" / "1.bmp", fs::perms::owner_write,
                                        fs::perm_options::remove);
                        return std::pair{t.folder.Root(), t.Output()};
                    }}),
    CaseName<RefusalCase>);

#ifdef PENRICA_ATLAS
// The command line: exit status, the one-line summary and the message of a refusal.
TEST(AtlasCommand, SummaryOrMessageAndExitStatus) {
    Library t;
    t.Image("a.bmp", BmpBytes(4, 4), {4, 4});
    auto run = [&](const std::string& arguments) {
        const fs::path out = t.temp.path() / "out.txt";
        const std::string command =
            std::string(PENRICA_ATLAS) + " " + arguments + " >" + out.string() + " 2>&1";
        const int status = std::system(command.c_str());
        return std::pair{WEXITSTATUS(status), ReadWholeFile(out)};
    };
    auto quoted = [](const fs::path& path) {
        std::string text = "'";
        text += path.string();
        text += '\'';
        return text;
    };
    const std::string program = quoted(t.folder.Root());
    const std::string site = quoted(t.Output());
    EXPECT_EQ(run(program + " " + site),
              (std::pair{0, "penrica-atlas: 图片 1 张，穴位 0 个，报告 0 条：" +
                                (t.Output() / "index.html").string() + "\n"}));
    EXPECT_EQ(run(site + " " + site).first, 1);
    EXPECT_TRUE(
        run(site + " " + site).second.starts_with("penrica-atlas: 不是 Penrica 的程序文件夹"));
    EXPECT_EQ(run(program).first, 2);
}
#endif

} // namespace
