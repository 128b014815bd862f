// Correcting markers through the assembled window: moving one to a new place and giving it a new
// name keep its introduction byte for byte, and deleting puts what is deleted into the trash.

#include "AssembledWindow.h"
#include "markers/MarkerMessages.h"

#include <QDir>
#include <QSlider>
#include <QStandardPaths>

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
    std::string Bytes(const char* record) const { return ReadWholeFile(Marker(record)); }
};

TEST(MovingMarkers, AMoveTakesTheNextClickOnTheImageAndKeepsTheIntroduction) {
    struct Case {
        AfterMove then;
        const char* where; // the record 印堂 has afterwards
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {AfterMove::ClickAt150x90, "150！90！印堂！", {}},
        {AfterMove::RightClick, kYintang, {}},
        {AfterMove::ClickStrip, kYintang, {}},
        {AfterMove::Zoom, kYintang, {}},
        {AfterMove::ClickOntoAnother, kYintang, {"移动失败\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.then));
        Correcting t;
        if (c.then == AfterMove::ClickOntoAnother) {
            WriteWholeFile(t.Marker("150！90！印堂！"), "another");
        }
        t.ShowImage();
        const std::string introduction = t.Bytes(kYintang);
        t.Choose(kYintang, "移动此穴位标志");
        EXPECT_EQ(t.main->标签1->text(), QString::fromUtf8(kMoveMarkerHint));
        // Resting the mouse elsewhere on the image keeps the hint.
        ASSERT_TRUE(t.PointAt(QPoint(150, 90),
                              c.then == AfterMove::ClickOntoAnother ? "150！90！印堂！" : ""));
        EXPECT_EQ(t.main->标签1->text(), QString::fromUtf8(kMoveMarkerHint));
        switch (c.then) {
        case AfterMove::ClickAt150x90:
        case AfterMove::ClickOntoAnother:
            QTest::mousePress(t.main->画板1, Qt::LeftButton, {}, QPoint(150, 90));
            QTest::mouseRelease(t.main->画板1, Qt::LeftButton, {}, QPoint(150, 90));
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
        QTest::mousePress(t.main->画板1, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseRelease(t.main->画板1, Qt::LeftButton, {}, QPoint(60, 60));
        EXPECT_EQ(t.Bytes(c.where), introduction);
        EXPECT_EQ(ListMarkerFiles(t.services.folder, kImage).size(),
                  c.then == AfterMove::ClickOntoAnother ? 4u : 3u);
        ASSERT_EQ(t.prompts.boxes.size(), c.boxes.size());
        for (std::size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(t.prompts.boxes[i].text.rfind(c.boxes[i], 0), 0u) << t.prompts.boxes[i].text;
        }
        if (c.then == AfterMove::ClickOntoAnother) {
            EXPECT_EQ(t.Bytes("150！90！印堂！"), "another");
        }
        // Hover finds it where it now is.
        EXPECT_TRUE(t.PointAt(c.where));
    }
}

TEST(MovingMarkers, ANewNameKeepsTheIntroductionAndRefusesWhatAddingRefuses) {
    struct Case {
        const char* typed;
        const char* after; // 印堂's record afterwards
        const char* box;   // the start of the one message, "" for none
    };
    const Case cases[] = {
        {"足三里", "100！80！足三里！", ""},
        {"", kYintang, ""},     // Cancel
        {"印堂", kYintang, ""}, // unchanged
        {"a/b", kYintang, "重命名失败\r\n"},
        {"合谷", kYintang, "重命名失败\r\n"}, // 100！80！合谷！ is there already
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Correcting t;
        t.ShowImage();
        // Not in the marker list, so hover finds 印堂 there; the rename still meets the file.
        WriteWholeFile(t.Marker("100！80！合谷！"), "x");
        const std::string introduction = t.Bytes(kYintang);
        t.prompts.inputs = {c.typed};
        t.Choose(kYintang, "重命名此穴位标志");
        ASSERT_EQ(t.prompts.inputBoxes.size(), 1u);
        EXPECT_EQ(t.prompts.inputBoxes[0].first, kNewMarkerNamePrompt);
        EXPECT_EQ(t.prompts.inputBoxes[0].second, kMarkerNameHint);
        EXPECT_EQ(t.prompts.inputInitials[0], "印堂");
        EXPECT_EQ(t.Bytes(c.after), introduction);
        EXPECT_EQ(ListMarkerFiles(t.services.folder, kImage).size(), 4u);
        EXPECT_EQ(t.prompts.boxes.size(), *c.box ? 1u : 0u);
        if (*c.box) {
            EXPECT_EQ(t.prompts.boxes[0].text.rfind(c.box, 0), 0u);
        }
    }
}

TEST(MovingMarkers, TheEditorFollowsItsMarkerWithTheUnsavedEdits) {
    for (const char* entry : {"移动此穴位标志", "重命名此穴位标志"}) {
        SCOPED_TRACE(entry);
        Correcting t;
        t.EditIntroduction(kYintang, "，眉心");
        t.prompts.inputs = {"印堂穴"};
        t.Choose(kYintang, entry);
        if (std::string(entry) == "移动此穴位标志") {
            QTest::mousePress(t.main->画板1, Qt::LeftButton, {}, QPoint(120, 70));
        }
        const char* now =
            std::string(entry) == "移动此穴位标志" ? "120！70！印堂！" : "100！80！印堂穴！";
        EXPECT_EQ(t.main->标签编辑框穴位名称提示->text().toStdString(),
                  std::string(kImage) + "：" + now);
        EXPECT_EQ(t.Stored(now), "印堂在两眉之间") << "the edits are not saved by the move";
        EXPECT_TRUE(t.main->按钮保存编辑框内容->isEnabled());
        t.Click(t.main->按钮保存编辑框内容);
        EXPECT_EQ(t.Stored(now), "印堂在两眉之间，眉心");
        EXPECT_FALSE(Exists(t.Marker(kYintang)));
    }
}

// The trash of this test run: the widget tests keep their own (QtTestMain.cpp).
std::filesystem::path TrashFiles() {
    return PathFromUtf8(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                            .toStdString()) /
           "Trash" / "files";
}

TEST(MovingMarkers, DeletingPutsTheMarkerAndTheWholeImageIntoTheTrash) {
#ifdef _WIN32
    GTEST_SKIP() << "the Recycle Bin is the system's: the Windows trial looks at it";
#endif
    Correcting t;
    std::filesystem::remove_all(TrashFiles());
    t.ShowImage();
    const std::string introduction = t.Bytes(kHegu);
    t.prompts.answers = {Answer::Ok};
    t.Choose(kHegu, "删除此穴位标志");
    EXPECT_FALSE(Exists(t.Marker(kHegu)));
    EXPECT_EQ(ReadWholeFile(TrashFiles() / PathFromUtf8(kHegu)), introduction);
    EXPECT_EQ(t.main->标签1->text().toStdString(), std::string(kHegu) + " 删除成功");

    const std::string yintang = t.Bytes(kYintang);
    t.prompts.menuChoices = {"是否要删除此图片以及此图片下面所有的标注穴位介绍"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板列表条, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_FALSE(Exists(MarkerFolder(t.services.folder, kImage)));
    EXPECT_FALSE(Exists(ImageFile(t.services.folder, kImage)));
    const std::filesystem::path folder = TrashFiles() / PathFromUtf8(kImage);
    EXPECT_TRUE(IsFolder(folder)) << "the marker folder, whole";
    EXPECT_EQ(ReadWholeFile(folder / PathFromUtf8(kYintang)), yintang);
    EXPECT_EQ(ListFolder(folder, EntryKind::Files).size(), 2u); // the size file and 印堂
    // The picture went there too, beside its folder under a name of the trash's choosing.
    EXPECT_EQ(ListFolder(TrashFiles(), EntryKind::Files).size(), 2u); // 合谷 and the picture
}

} // namespace
