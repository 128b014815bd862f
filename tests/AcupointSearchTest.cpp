// The search over the marker folders: matching at character boundaries, rows in listing order,
// foreign file names reported as they are met.

#include "markers/core/AcupointSearch.h"
#include "TempFolder.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"

#include <gtest/gtest.h>

namespace {

using namespace penrica;

TEST(NameContains, CharacterBoundariesAndCase) {
    struct Case {
        const char* name;
        const char* text;
        bool found;
    };
    const Case cases[] = {
        {"印堂", "堂", true},
        {"印堂", "印堂", true},
        {"印堂", "印堂穴", false},
        {"Yintang", "yin", false},
        {"Yintang", "tang", true},
        {"0", "0", true},
        // "堂" is E5 A0 82 and "印" E5 8D B0: a text made of bytes from both never matches.
        {"印堂", "\xB0\xE5", false},
        {"印堂", "\x8D\xB0\xE5", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameContains(c.name, c.text), c.found) << c.name << " / " << c.text;
    }
}

struct Library {
    TempFolder root;
    ProgramFolder folder{root.path()};
    Library() { CreateFolder(folder.MarkerRoot()); }
    void Marker(const std::string& image, const std::string& record) {
        CreateFolder(MarkerFolder(folder, image));
        WriteWholeFile(MarkerFilePath(folder, image, record), "");
    }
};

TEST(SearchAcupoints, RowsAndReports) {
    Library lib;
    for (const char* image : {"a.jpg", "b.jpg"}) {
        lib.Marker(image, std::string(kSizeFileName));
        lib.Marker(image, "1！2！印堂！");
    }
    lib.Marker("a.jpg", "3！4！足三里！");
    lib.Marker("a.jpg", "5！6！A！B！"); // four fields: reported and searched by "A"
    lib.Marker("a.jpg", "7！堂！");      // two fields: reported and skipped
    CreateFolder(MarkerFolder(lib.folder, "a.jpg") / "sub");
    std::vector<std::string> reported;
    auto report = [&](const std::string& name) { reported.push_back(name); };

    auto rows = SearchAcupoints(lib.folder, "0", report);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].record, "0！0！0！");
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<std::string>{"5！6！A！B！", "7！堂！"}));

    rows = SearchAcupoints(lib.folder, "堂", nullptr);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].image, rows[1].image);
    EXPECT_EQ(rows[0].name, "印堂");
    EXPECT_EQ(rows[0].record, "1！2！印堂！");

    rows = SearchAcupoints(lib.folder, "A", nullptr);
    EXPECT_EQ(rows, (std::vector<SearchRow>{{"A", "a.jpg", "5！6！A！B！"}}));
    EXPECT_TRUE(SearchAcupoints(lib.folder, "足三里穴", nullptr).empty());

    TempFolder empty;
    EXPECT_TRUE(SearchAcupoints(ProgramFolder(empty.path()), "0", report).empty());
}

} // namespace
