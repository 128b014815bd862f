// The search over the marker folders: matching at character boundaries, rows in listing order,
// foreign file names reported as they are met, and pinyin.

#include "markers/core/AcupointSearch.h"
#include "TempFolder.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/core/Pinyin.h"

#include <gtest/gtest.h>

#include <set>

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
// Han-Latin gives for them. Where it differs from the point's own reading, the search finds the
// name both ways: by ICU's here, by the standard table's after it.
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

TEST(SearchAcupoints, StandardPointsFollowByCodeReadingAndMeridian) {
    Library lib;
    lib.Marker("a.jpg", std::string(kSizeFileName));
    for (const char* record :
         {"1！1！足三里！", "2！2！肺俞！", "3！3！大椎！", "4！4！长强！", "5！5！地仓！"}) {
        lib.Marker("a.jpg", record);
    }
    for (const char* record :
         {"6！6！足三里（左）！", "7！7！气海俞！", "8！8！印堂！", "9！9！st36！"}) {
        lib.Marker("b.jpg", record);
    }
    const std::set<std::string> both = {"足三里", "足三里（左）"};
    struct Case {
        const char* query;
        // The names of each group of rows: a group lists in the folders' order, after the one
        // before it.
        std::vector<std::set<std::string>> groups;
    };
    const Case cases[] = {
        {"ST36", {both}},
        {"st36", {{"st36"}, both}}, // the name rule's row first
        {"ST-36", {both}},
        {"St 36", {both}},
        {"ST036", {both}},
        {"ＳＴ３６", {both}},
        {"GV1", {{"长强"}}},
        {"Du14", {{"大椎"}}},
        {"GV29", {{"印堂"}}},
        {"EX-HN3", {{"印堂"}}},
        {"exhn3", {{"印堂"}}},
        {"BL24", {{"气海俞"}}},
        {"CV6", {}},
        {"ST99", {}},
        {"feishu", {{"肺俞"}}},
        {"fei shu", {{"肺俞"}}},
        {"fèishū", {{"肺俞"}}},
        {"feiyu", {{"肺俞"}}}, // ICU's reading still finds it
        {"dicang", {{"地仓"}}},
        {"decang", {{"地仓"}}},
        {"zhangqiang", {{"长强"}}},
        {"changqiang", {{"长强"}}},
        {"胃经", {{"地仓", "足三里", "足三里（左）"}}},
        {"足阳明胃经", {{"地仓", "足三里", "足三里（左）"}}},
        {"督脉", {{"大椎", "长强", "印堂"}}},
        {"经外奇穴", {{"印堂"}}},
        {"膀胱经", {{"肺俞", "气海俞"}}},
    };
    // Every row in the folders' order: an empty text is in every name.
    const std::vector<SearchRow> listing = SearchAcupoints(lib.folder, "", nullptr);
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (const std::set<std::string>& group : c.groups) {
            for (const SearchRow& row : listing) {
                if (group.count(row.name) > 0) {
                    expected.push_back(row.name);
                }
            }
        }
        std::vector<std::string> got;
        for (const SearchRow& row : SearchAcupoints(lib.folder, c.query, nullptr)) {
            got.push_back(row.name);
        }
        EXPECT_EQ(got, expected) << c.query;
    }
}

} // namespace
