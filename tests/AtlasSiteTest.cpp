// The atlas's site: what it writes, what it replaces and keeps, what it refuses, and the
// command's summary and exit status.

#include "atlas/AtlasSite.h"
#include "AtlasLibraryFixture.h"
#include "BmpPicture.h"
#include "CaseName.h"
#include "atlas/AtlasData.h"
#include "atlas/AtlasLibrary.h"
#include "platform/core/Files.h"
#include "tests/ChildProcess.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

using namespace penrica;

namespace {

namespace fs = std::filesystem;

const CharFormat kDefault{};

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

// Cancelled at each step, into a new folder and over a former atlas: the steps are told in order
// out of four (two images read, two pictures copied); nothing looks whole that is not.
TEST(AtlasSite, ACancelledRunLeavesNoPageThatLooksWhole) {
    for (const bool former : {false, true}) {
        for (std::size_t stopAt = 1; stopAt <= 4; ++stopAt) {
            SCOPED_TRACE((former ? "former atlas, stop at " : "new folder, stop at ") +
                         std::to_string(stopAt));
            Library t;
            t.Image("a.bmp", BmpBytes(4, 4), {4, 4});
            t.Image("b.bmp", BmpBytes(5, 5), {5, 5});
            if (former) {
                ASSERT_EQ(WriteAtlasSite(t.folder.Root(), t.Output()).error, SiteError::None);
            }
            const auto before = Snapshot(t.Output().parent_path());
            std::vector<std::size_t> told;
            const SiteResult result =
                WriteAtlasSite(t.folder.Root(), t.Output(), [&](std::size_t done, std::size_t all) {
                    told.push_back(done);
                    EXPECT_EQ(all, 4u);
                    return done < stopAt;
                });
            EXPECT_EQ(result.error, SiteError::Cancelled);
            EXPECT_EQ(result.message, kAtlasCancelled);
            EXPECT_EQ(told.back(), stopAt);
            if (stopAt <= 3 || !former) {
                // Nothing replaced yet, or a new folder emptied again: all is as it was.
                EXPECT_EQ(Snapshot(t.Output().parent_path()), before);
            } else {
                EXPECT_FALSE(Exists(t.Output() / "index.html"));
            }
        }
    }
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
    if (std::string_view(GetParam().name) == "output is read-only" && !MakeFolderReadOnly(output)) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
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
// A program's printed lines end as the system's text files do.
#ifdef _WIN32
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

// The command line: exit status, the one-line summary and the message of a refusal.
TEST(AtlasCommand, SummaryOrMessageAndExitStatus) {
    Library t;
    t.Image("a.bmp", BmpBytes(4, 4), {4, 4});
    auto run = [&](const std::vector<std::string>& arguments) {
        const fs::path out = t.temp.path() / "out.txt";
        child::ChildProcess atlas =
            child::ChildProcess::Program(PathFromUtf8(PENRICA_ATLAS), arguments, out);
        const std::optional<int> status = atlas.Wait();
        return std::pair{status.value_or(-1), ReadWholeFile(out)};
    };
    const std::string program = PathToUtf8(t.folder.Root());
    const std::string site = PathToUtf8(t.Output());
    EXPECT_EQ(run({program, site}),
              (std::pair{0, "penrica-atlas: 图片 1 张，穴位 0 个，报告 0 条：" +
                                PathToUtf8(t.Output() / "index.html") + kLineEnd}));
    EXPECT_EQ(run({site, site}).first, 1);
    EXPECT_TRUE(run({site, site}).second.starts_with("penrica-atlas: 不是 Penrica 的程序文件夹"));
    EXPECT_EQ(run({program}).first, 2);
}
#endif

} // namespace
