// Correcting markers through the assembled window: moving one to a new place and giving it a new
// name keep its introduction byte for byte, and deleting puts what is deleted into the trash.

#include "AssembledWindow.h"
#include "markers/MarkerMessages.h"

#include <QSlider>
#include <QStandardPaths>
#include <QUrl>

namespace {

using namespace penrica;

// What a user does after choosing 移动此穴位标志 on 印堂 at (100, 80).
enum class AfterMove { ClickAt150x90, RightClick, ClickStrip, Zoom, ClickOntoAnother };

struct Correcting : AssembledWindow {
    // The marker menu on the marker under the mouse, and its entry chosen.
    void Choose(const char* record, const char* entry) {
        ASSERT_TRUE(PointAt(record)) << record;
        const auto marker = ParseRecord(record);
        prompts.menuChoices = {entry};
        QTest::mousePress(main->画板1, Qt::RightButton, {}, QPoint(marker->x, marker->y));
    }
    void LeftClick(QPoint p) {
        QTest::mousePress(main->画板1, Qt::LeftButton, {}, p);
        QTest::mouseRelease(main->画板1, Qt::LeftButton, {}, p);
    }
    std::string Bytes(const char* record) const { return ReadWholeFile(Marker(record)); }
    // The one message shown starts with `head`; none shown for an empty head.
    void ExpectBox(const std::string& head) const {
        ASSERT_EQ(prompts.boxes.size(), head.empty() ? 0u : 1u);
        if (!head.empty()) {
            EXPECT_EQ(prompts.boxes[0].text.rfind(head, 0), 0u) << prompts.boxes[0].text;
        }
    }
};

TEST(MovingMarkers, AMoveTakesTheNextClickOnTheImageAndKeepsTheIntroduction) {
    const char* taken = "150！90！印堂！"; // where the click at (150, 90) puts 印堂
    const struct {
        AfterMove then;
        const char* where; // the record 印堂 has afterwards
        const char* box;
    } cases[] = {
        {AfterMove::ClickAt150x90, taken, ""},
        {AfterMove::RightClick, kYintang, ""},
        {AfterMove::ClickStrip, kYintang, ""},
        {AfterMove::Zoom, kYintang, ""},
        {AfterMove::ClickOntoAnother, kYintang, "移动失败\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.then));
        Correcting t;
        const bool occupied = c.then == AfterMove::ClickOntoAnother;
        if (occupied) {
            WriteWholeFile(t.Marker(taken), "another");
        }
        t.ShowImage();
        const std::string introduction = t.Bytes(kYintang);
        t.Choose(kYintang, "移动此穴位标志");
        // Resting the mouse elsewhere on the image keeps the hint.
        ASSERT_TRUE(t.PointAt(QPoint(150, 90), occupied ? taken : ""));
        EXPECT_EQ(t.main->标签1->text(), QString::fromUtf8(kMoveMarkerHint));
        switch (c.then) {
        case AfterMove::ClickAt150x90:
        case AfterMove::ClickOntoAnother:
            t.LeftClick(QPoint(150, 90));
            break;
        case AfterMove::RightClick:
            QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(150, 90));
            break;
        case AfterMove::ClickStrip:
            t.ShowImage();
            break;
        case AfterMove::Zoom:
            t.Key(t.main->滑块条1, Qt::Key_Down);
            break;
        }
        // A later click on the image moves nothing.
        t.Key(t.main->滑块条1, Qt::Key_End);
        t.LeftClick(QPoint(60, 60));
        EXPECT_EQ(t.Bytes(c.where), introduction);
        EXPECT_EQ(ListMarkerFiles(t.services.folder, kImage).size(), occupied ? 4u : 3u);
        t.ExpectBox(c.box);
        if (occupied) {
            EXPECT_EQ(t.Bytes(taken), "another");
        }
        EXPECT_TRUE(t.PointAt(c.where)) << "hover finds it where it now is";
    }
}

TEST(MovingMarkers, ANewNameKeepsTheIntroductionAndRefusesWhatAddingRefuses) {
    const struct {
        const char* typed;
        const char* after; // 印堂's record afterwards
        const char* box;
    } cases[] = {
        {"足三里", "100！80！足三里！", ""},
        {"", kYintang, ""}, // Cancel
        {"印堂", kYintang, ""},
        {"a/b", kYintang, "重命名失败\r\n"},
        {"a！b", kYintang, "重命名失败\r\n"}, // no marker any more, out of every menu's reach
        {"合谷", kYintang, "重命名失败\r\n"}, // 100！80！合谷！ is there already
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Correcting t;
        t.ShowImage();
        // Not in the marker list, so hover finds 印堂 there; the rename still meets the file.
        WriteWholeFile(t.Marker("100！80！合谷！"), "x");
        const std::string introduction = t.Bytes(kYintang);
        t.prompts.inputs = {c.typed};
        t.Choose(kYintang, "重命名此穴位标志");
        ASSERT_EQ(t.prompts.inputBoxes.size(), 1u);
        EXPECT_EQ(t.prompts.inputBoxes[0],
                  std::make_pair(std::string(kNewMarkerNamePrompt), std::string(kMarkerNameHint)));
        EXPECT_EQ(t.prompts.inputInitials[0], "印堂");
        EXPECT_EQ(t.Bytes(c.after), introduction);
        EXPECT_EQ(ListMarkerFiles(t.services.folder, kImage).size(), 4u);
        t.ExpectBox(c.box);
    }
}

TEST(MovingMarkers, TheEditorFollowsItsMarkerWithTheUnsavedEdits) {
    for (const std::string entry : {"移动此穴位标志", "重命名此穴位标志"}) {
        SCOPED_TRACE(entry);
        const bool move = entry == "移动此穴位标志";
        const char* now = move ? "120！70！印堂！" : "100！80！印堂穴！";
        Correcting t;
        t.EditIntroduction(kYintang, "，眉心");
        t.prompts.inputs = {"印堂穴"};
        t.Choose(kYintang, entry.c_str());
        if (move) {
            t.LeftClick(QPoint(120, 70));
        }
        EXPECT_EQ(t.main->标签编辑框穴位名称提示->text().toStdString(),
                  std::string(kImage) + "：" + now);
        EXPECT_EQ(t.Stored(now), "印堂在两眉之间") << "the edits are not saved by the move";
        t.Click(t.main->按钮保存编辑框内容);
        EXPECT_EQ(t.Stored(now), "印堂在两眉之间，眉心");
        EXPECT_FALSE(Exists(t.Marker(kYintang)));
    }
}

TEST(MovingMarkers, DeletingPutsTheMarkerAndTheWholeImageIntoTheTrash) {
#ifdef _WIN32
    GTEST_SKIP() << "the Recycle Bin is the system's: the Windows trial looks at it";
#endif
    // The widget tests keep a trash of their own (QtTestMain.cpp).
    const std::filesystem::path home =
        PathFromUtf8(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
        "Trash";
    const std::filesystem::path trash = home / "files";
    std::filesystem::remove_all(home);
    Correcting t;
    t.ShowImage();
    const std::string hegu = t.Bytes(kHegu);
    const std::string yintang = t.Bytes(kYintang);
    // A trash that refuses the move (here it cannot be made) keeps the marker.
    WriteWholeFile(home, "a file where the trash's folder would be");
    t.prompts.answers = {Answer::Ok};
    t.Choose(kHegu, "删除此穴位标志");
    EXPECT_TRUE(Exists(t.Marker(kHegu)));
    EXPECT_NE(t.main->标签1->text().toStdString(), std::string(kHegu) + " 删除成功");
    std::filesystem::remove(home);

    t.prompts.answers = {Answer::Ok};
    t.Choose(kHegu, "删除此穴位标志");
    EXPECT_FALSE(Exists(t.Marker(kHegu)));
    EXPECT_EQ(ReadWholeFile(trash / PathFromUtf8(kHegu)), hegu);
    EXPECT_EQ(t.main->标签1->text().toStdString(), std::string(kHegu) + " 删除成功");
    // Where it came from, URL-escaped, as the file managers read it.
    const QString from = QString::fromStdString(PathToUtf8(t.Marker(kHegu)));
    EXPECT_NE(ReadWholeFile(trash.parent_path() / "info" /
                            PathFromUtf8(std::string(kHegu) + ".trashinfo"))
                  .find("\nPath=" + QUrl::toPercentEncoding(from, "/").toStdString() + "\n"),
              std::string::npos);

    t.prompts.menuChoices = {"是否要删除此图片以及此图片下面所有的标注穴位介绍"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板列表条, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_FALSE(Exists(MarkerFolder(t.services.folder, kImage)));
    EXPECT_FALSE(Exists(ImageFile(t.services.folder, kImage)));
    // The marker folder whole (size file and 印堂), and beside it the picture.
    const std::filesystem::path folder = trash / PathFromUtf8(kImage);
    EXPECT_EQ(ReadWholeFile(folder / PathFromUtf8(kYintang)), yintang);
    EXPECT_EQ(ListFolder(folder, EntryKind::Files).size(), 2u);
    EXPECT_EQ(ListFolder(trash, EntryKind::Files).size(), 2u); // 合谷 and the picture
}

} // namespace
