// The standard acupoints' table: its shape, the readings of its polyphonic names, which point a
// marker name is, and the suggestions offered while a name is typed.

#include "markers/core/StandardAcupoints.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using namespace penrica;

std::string Joined(const std::vector<std::string>& syllables) {
    std::string text;
    for (const std::string& syllable : syllables) {
        text += (text.empty() ? "" : " ") + syllable;
    }
    return text;
}

TEST(StandardAcupoints, TableShape) {
    const AcupointTable& table = StandardAcupoints();
    std::map<std::string, int> perMeridian;
    std::set<std::string> codes;
    std::map<std::string, int> names;
    for (const StandardPoint& point : table.Points()) {
        const Meridian& meridian = table.MeridianOf(point);
        ++perMeridian[meridian.prefix];
        EXPECT_EQ(point.code.rfind(meridian.prefix, 0), 0u) << point.code;
        EXPECT_TRUE(codes.insert(point.code).second) << point.code;
        ++names[point.name];
        EXPECT_EQ(table.PointOfCode(point.code), &point) << point.code;
    }
    const std::map<std::string, int> expected = {{"LU", 11}, {"LI", 20}, {"ST", 45}, {"SP", 21},
                                                 {"HT", 9},  {"SI", 19}, {"BL", 67}, {"KI", 27},
                                                 {"PC", 9},  {"TE", 23}, {"GB", 44}, {"LR", 14},
                                                 {"GV", 29}, {"CV", 24}, {"EX", 48}};
    EXPECT_EQ(perMeridian, expected);
    for (const auto& [name, count] : names) {
        EXPECT_EQ(count, name == "印堂" ? 2 : 1) << name;
    }
    // The names whose characters read otherwise in general use read as the points are named.
    const std::map<std::string, std::string> readings = {
        {"BL13", "fèi shū"},   {"BL28", "páng guāng shū"}, {"KI27", "shū fǔ"},
        {"CV17", "dàn zhōng"}, {"GV1", "cháng qiáng"},     {"GB8", "shuài gǔ"},
        {"BL4", "qū chā"},     {"ST4", "dì cāng"},         {"SP2", "dà dū"},
        {"BL2", "cuán zhú"},   {"HT6", "yīn xì"},          {"PC4", "xì mén"},
        {"GV14", "dà zhuī"},   {"GV28", "yín jiāo"},       {"LR2", "xíng jiān"},
        {"KI7", "fù liū"},     {"EX-HN3", "yìn táng"}};
    for (const auto& [code, reading] : readings) {
        ASSERT_NE(table.PointOfCode(code), nullptr) << code;
        EXPECT_EQ(Joined(table.PointOfCode(code)->reading), reading) << code;
    }
}

TEST(StandardAcupoints, WhichPointANameIs) {
    struct Case {
        const char* name;
        const char* code; // the first point; "" for none
        const char* reading;
    };
    const Case cases[] = {
        {"足三里", "ST36", "zu san li"},
        {"足三里（左）", "ST36", "zu san li ( zuo )"},
        {"左足三里", "ST36", "zuo zu san li"},
        {"气海俞", "BL24", "qi hai shu"}, // never CV6 气海
        {"气海", "CV6", "qi hai"},
        {"清冷渊", "TE11", "qing ling yuan"},
        {"和髎", "TE22", "he liao"},
        {"印堂", "GV29", "yin tang"},
        {"内膝眼", "EX-LE4", "nei xi yan"},
        {"太冲合谷", "LR3", "tai chong he gu"}, // of two as long, the first
        {"阿是穴", "", ""},
        {"Hegu", "", ""},
    };
    for (const Case& c : cases) {
        const NameStandard& standard = StandardOf(c.name);
        EXPECT_EQ(standard.points.empty() ? "" : standard.points.front()->code, c.code) << c.name;
        EXPECT_EQ(Joined(standard.reading.syllables), c.reading) << c.name;
    }
    EXPECT_EQ(StandardOf("印堂").points.size(), 2u) << "GV29 and EX-HN3";
}

TEST(StandardAcupoints, SuggestionsRankExactThenStartThenRest) {
    struct Case {
        const char* typed;
        std::vector<std::string> first; // the first suggestions, in order
        std::size_t count;
    };
    const Case cases[] = {
        {"zsl", {"足三里"}, 1},
        {"足三里", {"足三里"}, 1},
        {"st36", {"足三里"}, 1},
        {"ST3", {"巨髎", "气冲", "髀关"}, 10}, // ST3 itself, then ST30 …; at most 10
        {"三里", {"手三里", "足三里"}, 2},
        {"feishu", {"肺俞"}, 1},
        {"fs", {"府舍", "肺俞", "风市"}, 3},
        {"qihai", {"气海", "气海俞"}, 2}, // the whole reading first
        {"feiyu", {"肺俞"}, 1},           // ICU's reading too
        {"EX-HN", {"四神聪", "当阳", "印堂"}, 10},
        {"yt", {"印堂", "玉堂", "腰痛点"}, 3}, // 印堂 once, though the standard gives it twice
        {"清冷渊", {"清泠渊"}, 1},
        {"无此穴", {}, 0},
        {"", {}, 0},
    };
    for (const Case& c : cases) {
        const std::vector<const StandardPoint*> got = SuggestPoints(c.typed);
        EXPECT_EQ(got.size(), c.count) << c.typed;
        for (std::size_t i = 0; i < c.first.size() && i < got.size(); ++i) {
            EXPECT_EQ(got[i]->name, c.first[i]) << c.typed << " #" << i;
        }
    }
    EXPECT_EQ(SuggestionText(*StandardAcupoints().PointOfCode("ST36")), "足三里  ST36  zúsānlǐ");
    EXPECT_EQ(PointSummary(*StandardAcupoints().PointOfCode("ST36")),
              "ST36 足三里 zúsānlǐ · 足阳明胃经");
}

} // namespace
