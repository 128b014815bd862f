// The search over the marker folders: matching at character boundaries, rows in listing order,
// foreign file names reported as they are met, and pinyin.

#include "markers/core/AcupointSearch.h"
#include "TempFolder.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/core/Pinyin.h"

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

// The acupoint names checked whose characters have more than one reading, with what ICU's
// Han-Latin gives for them; where it differs from the name's usual reading, the search takes
// ICU's (长强 is chang qiang, 率谷 shuai gu, 地仓 di cang, 膻中 dan zhong).
TEST(Pinyin, ReadingsAreIcus) {
    const std::vector<std::pair<const char*, std::vector<std::string>>> names = {
        {"印堂", {"yin", "tang"}},
        {"足三里", {"zu", "san", "li"}},
        {"长强", {"zhang", "qiang"}},
        {"率谷", {"lu", "gu"}},
        {"地仓", {"de", "cang"}},
        {"膻中", {"shan", "zhong"}},
        {"中脘", {"zhong", "wan"}},
        {"行间", {"xing", "jian"}},
        {"合谷", {"he", "gu"}},
        {"阿是", {"a", "shi"}},
        {"大椎", {"da", "chui"}},
        {"曲池", {"qu", "chi"}},
        {"印堂2", {"yin", "tang", "2"}},
        {"印 堂", {"yin", "tang"}},
        {"Hegu", {}},
    };
    for (const auto& [name, syllables] : names) {
        EXPECT_EQ(PinyinOf(name).syllables, syllables) << name;
    }
}

TEST(Pinyin, QueriesWholeAndByInitials) {
    struct Case {
        const char* query;
        const char* name;
        bool found;
    };
    const Case cases[] = {
        {"yintang", "印堂", true}, {"yin tang", "印堂", true},  {"YinTang", "印堂", true},
        {"yìntáng", "印堂", true}, {"yin'tang", "印堂", true},  {"yt", "印堂", true},
        {"yint", "印堂", true},    {"tang", "印堂", true},      {"ang", "印堂", false},
        {"yit", "印堂", false},    {"zusanli", "足三里", true}, {"zsl", "足三里", true},
        {"sl", "足三里", true},    {"zl", "足三里", false},     {"hegu", "Hegu", false},
        {"印", "印堂", false},     {"y1", "印堂", false},       {"'", "印堂", false},
        {"y’t", "印堂", true},     {"ｙｔ", "印堂", true},      {"yintang", "印 堂", true},
        {"lvgu", "率谷", true},    {"lü gu", "率谷", true},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> query = PinyinQuery(c.query);
        EXPECT_EQ(query && PinyinMatches(PinyinOf(c.name), *query), c.found)
            << c.query << " / " << c.name;
    }
}

TEST(SearchAcupoints, PinyinRowsFollowTheNameRulesOnce) {
    Library lib;
    lib.Marker("a.jpg", "1！1！足三里！");
    lib.Marker("a.jpg", "2！2！zsl！");
    lib.Marker("b.jpg", "3！3！足三里！");
    // The name rule's row, then the pinyin's in the order the name rule lists them.
    const std::vector<SearchRow> rows = SearchAcupoints(lib.folder, "zsl", nullptr);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].record, "2！2！zsl！");
    EXPECT_EQ(std::vector<SearchRow>(rows.begin() + 1, rows.end()),
              SearchAcupoints(lib.folder, "足三里", nullptr));
    EXPECT_EQ(SearchAcupoints(lib.folder, "ZSL", nullptr).size(), 2u) << "the name rule is exact";
}

} // namespace
