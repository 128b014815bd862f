// Hover detection with its blink and the marker menu: hit boxes, the two halves, the report of
// foreign files, and adding and deleting markers on disk.

#include "AppHarness.h"
#include "markers/HoverTest.h"
#include "markers/MarkerMenu.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"

#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Panel {
    DrawPanel panel;
    std::int32_t blink = 0;
    Panel() { panel.resize(300, 200); }
    std::string Test(int x, int y, const std::vector<std::string>& markers) {
        return HoverTest(x, y, markers, panel, blink);
    }
    bool AnyPixel(QRect area, auto predicate) const {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (predicate(panel.Image().pixelColor(x, y)))
                    return true;
        return false;
    }
};

TEST(HoverTest, StrictTenPixelHitBox) {
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {{109, 91, true},  {91, 109, true},  {100, 100, true}, {110, 100, false},
                          {100, 90, false}, {90, 100, false}, {100, 110, false}};
    for (const Case& c : cases) {
        Panel p;
        EXPECT_EQ(p.Test(c.x, c.y, {"100！100！印堂！"}), c.hit ? "100！100！印堂！" : "")
            << c.x << "," << c.y;
    }
}

TEST(HoverTest, EraseFirstThenAlternate) {
    Panel p;
    const std::vector<std::string> markers = {"100！100！印堂！"};
    auto blue = [](QColor c) { return c == QColor(0, 0, 255); };
    auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    auto yellow = [](QColor c) { return c == QColor(0xD8, 0xD8, 0); };
    const QRect circle(80, 80, 41, 41), name(130, 100, 60, 25);
    for (int tick = 0; tick < 4; ++tick) {
        EXPECT_EQ(p.Test(105, 95, markers), "100！100！印堂！");
        const bool drawn = tick % 2 == 1;
        EXPECT_EQ(p.AnyPixel(circle, blue), drawn) << tick;
        EXPECT_EQ(p.AnyPixel(name, red), drawn) << tick;
        EXPECT_EQ(p.AnyPixel(name, yellow), drawn) << tick;
        EXPECT_EQ(p.panel.PenWidth(), drawn ? 2 : 1);
    }
    // The circle is an outline: its middle stays clear, its edge at radius 15 is blue.
    p.Test(105, 95, markers);
    p.Test(105, 95, markers);
    EXPECT_NE(p.panel.Image().pixelColor(100, 100), QColor(0, 0, 255));
    EXPECT_TRUE(p.AnyPixel(QRect(84, 98, 3, 5), blue));
}

TEST(HoverTest, LastHitWinsAndEachHitFlipsTheBlink) {
    Panel p;
    p.blink = 1;
    EXPECT_EQ(p.Test(100, 100, {"95！95！甲！", "105！105！乙！", "300！300！丙！"}),
              "105！105！乙！");
    EXPECT_EQ(p.blink, 1); // drawn, then erased
    EXPECT_EQ(p.Test(100, 100, {}), "");
}

TEST(HoverTest, ForeignFilesAreReportedAndNeverHit) {
    Panel p;
    EXPECT_EQ(p.Test(1, 2, {"1！2！A！B！", "readme.txt"}), "");
    // Each report in its turn at the top-left corner, in 13 points, and nothing else.
    DrawPanel expected;
    expected.resize(300, 200);
    expected.SetFontSize(13);
    for (const char* report :
         {"发现不认识文件：1！2！A！B！ 请您删除", "发现不认识文件：readme.txt 请您删除"}) {
        expected.WriteText(1, 1, QString::fromUtf8(report));
    }
    EXPECT_TRUE(p.panel.Image() == expected.Image());
    EXPECT_EQ(p.panel.FontSize(), 9);
    EXPECT_EQ(p.blink, 0);
}

struct Menu : AppHarness {
    DrawPanel panel;
    QSlider slider{Qt::Horizontal};
    QMenu menu;
    QAction* add = menu.addAction(QStringLiteral("在此添加穴位标志"));
    QAction* remove = menu.addAction(QStringLiteral("删除此穴位标志"));
    QAction move{QStringLiteral("移动此穴位标志")};
    QAction rename{QStringLiteral("重命名此穴位标志")};
    QLabel status;
    MarkerMenu markers{
        state, services,
        MarkerControls{&panel, &slider, &menu, add, remove, &move, &rename, &status}};
    std::vector<std::string> added;

    Menu() {
        panel.resize(200, 200);
        slider.setRange(4, 10);
        slider.setValue(10);
        menu.addAction(QStringLiteral("不操作"));
        state.currentImage = "头部.jpg";
        CreateFolder(services.folder.MarkerRoot());
        CreateFolder(MarkerFolder(services.folder, state.currentImage));
        markers.onMarkerAdded = [this](const std::string& r) { added.push_back(r); };
    }
    std::filesystem::path File(const std::string& record) {
        return MarkerFilePath(services.folder, state.currentImage, record);
    }
};

TEST(MarkerMenu, OnlyAtFullZoomWithEntriesByMarkerUnderMouse) {
    Menu t;
    t.slider.setValue(9);
    t.markers.ShowMarkerMenu(50, 60);
    EXPECT_TRUE(t.prompts.menus.empty());
    EXPECT_EQ(t.state.rightClickX, 0);

    t.slider.setValue(10);
    t.markers.ShowMarkerMenu(50, 60);
    ASSERT_EQ(t.prompts.menus.size(), 1u);
    EXPECT_TRUE(t.prompts.menus[0][0].enabled);
    EXPECT_FALSE(t.prompts.menus[0][1].enabled);
    EXPECT_EQ(t.state.rightClickX, 50);
    EXPECT_EQ(t.state.rightClickY, 60);
    EXPECT_EQ(t.panel.Image().pixelColor(50, 55), QColor(Qt::black)); // the ellipse's top

    WriteWholeFile(t.File("50！60！印堂！"), "");
    t.state.acupointUnderMouse = "50！60！印堂！";
    t.markers.ShowMarkerMenu(50, 60);
    EXPECT_FALSE(t.prompts.menus[1][0].enabled);
    EXPECT_TRUE(t.prompts.menus[1][1].enabled);
}

TEST(MarkerMenu, AddStoresNamesAsTypedAndRefusesUnsafeOrExisting) {
    struct Case {
        std::string name;
        bool added;
    };
    const Case cases[] = {
        {"足 三里", true}, {"A！B", true}, {"", false},     {"a/b", false},
        {"..\\x", false},  {"c:d", false}, {"x\ty", false}, {"x?", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Menu t;
        t.state.rightClickX = 152;
        t.state.rightClickY = 87;
        t.prompts.inputs.push_back(c.name);
        t.markers.AddMarker();
        ASSERT_EQ(t.prompts.inputBoxes.size(), 1u);
        EXPECT_EQ(t.prompts.inputBoxes[0].first, "请在此输入穴位名称");
        EXPECT_EQ(t.prompts.inputBoxes[0].second, "注意：穴位名称中间不能有空格");
        const std::string record = "152！87！" + c.name + "！";
        const auto list = ListMarkerFiles(t.services.folder, t.state.currentImage);
        EXPECT_EQ(list.size(), c.added ? 1u : 0u);
        if (c.added) {
            EXPECT_EQ(ReadWholeFile(t.File(record)), "");
            EXPECT_EQ(t.state.markerFiles, std::vector<std::string>{record});
            EXPECT_EQ(t.added, std::vector<std::string>{record});
        } else if (!c.name.empty()) {
            ASSERT_EQ(t.prompts.boxes.size(), 1u);
            EXPECT_EQ(t.prompts.boxes[0].text,
                      "添加失败\r\n" +
                          PathToUtf8(MarkerFolder(t.services.folder, t.state.currentImage)) +
                          static_cast<char>(fs::path::preferred_separator) + record);
        }
    }
}

TEST(MarkerMenu, AddingAnExistingRecordKeepsItsIntroduction) {
    Menu t;
    t.state.rightClickX = 1;
    t.state.rightClickY = 2;
    WriteWholeFile(t.File("1！2！印堂！"), "saved introduction");
    t.prompts.inputs.push_back("印堂");
    t.markers.AddMarker();
    EXPECT_EQ(ReadWholeFile(t.File("1！2！印堂！")), "saved introduction");
    EXPECT_TRUE(t.added.empty());
    ASSERT_EQ(t.prompts.boxes.size(), 1u);
    EXPECT_EQ(t.prompts.boxes[0].text.rfind("添加失败\r\n", 0), 0u);
}

TEST(MarkerMenu, DeleteAsksWithTheRecordFirst) {
    for (Answer answer : {Answer::Cancel, Answer::Ok}) {
        Menu t;
        WriteWholeFile(t.File("152！87！印堂！"), "x");
        t.state.acupointUnderMouse = "152！87！印堂！";
        t.prompts.answers.push_back(answer);
        t.markers.DeleteMarker();
        ASSERT_EQ(t.prompts.boxes.size(), 1u);
        EXPECT_EQ(t.prompts.boxes[0].text, "152！87！印堂！确定删除吗 ？同时将穴位介绍一块删除");
        EXPECT_EQ(t.prompts.boxes[0].buttons, Buttons::OkCancel);
        const bool deleted = answer == Answer::Ok;
        EXPECT_EQ(Exists(t.File("152！87！印堂！")), !deleted);
        EXPECT_EQ(t.status.text().toStdString(), deleted ? "152！87！印堂！ 删除成功" : "");
    }
}

} // namespace
