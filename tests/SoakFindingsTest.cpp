// Faults that the soak (tests/SoakTest.cpp) found, and that trying its mends on the real program
// found, each shrunk to the few actions that show it.

#include "AssembledWindow.h"

#include <QTreeWidget>

namespace {

using namespace penrica;

// A library of two images: the first with its markers, and 背部.png with 肺俞. The first image is
// on show, or comes on show, by its strip cell.
void OpenTwoImages(AssembledWindow& t) {
    t.AddPicture("背部.png", QSize(300, 200), {{"50！60！肺俞！", "肺俞"}});
    t.main.reset();
    t.Open();
    const auto& names = t.state.imageNames;
    const int cell =
        static_cast<int>(std::find(names.begin(), names.end(), kImage) - names.begin());
    QTest::mouseClick(t.main->画板列表条, Qt::LeftButton, {}, QPoint(20 + 40 * cell, 20));
}

// With 印堂 under the mouse, the list row of 肺俞 brings 背部.png on show, hover detection off.
void SwitchByTheListWithYintangUnderTheMouse(AssembledWindow& t) {
    ASSERT_TRUE(t.PointAt(kYintang));
    t.TypeInto(t.main->编辑框查找穴位, QStringLiteral("肺"));
    t.Click(t.main->按钮查找穴位);
    QTreeWidget* list = t.main->超级列表框1;
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    ASSERT_EQ(t.state.currentImage, "背部.png");
}

// The size file "0！0！0！" reads as a marker at (0, 0) and blinks there; opened as an
// introduction, 保存 wrote the text over the image's size, and the next showing of the image
// "repaired" the size over the text.
TEST(SoakFindings, TheSizeFileNeverOpensAsAnIntroduction) {
    AssembledWindow t;
    t.ShowImage();
    ASSERT_TRUE(t.PointAt(QPoint(5, 5), "0！0！0！"));
    QTest::mouseDClick(t.main->画板1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(t.main->超级编辑框1->isEnabled());
    t.Type(QStringLiteral("甲"));
    t.Click(t.main->按钮保存编辑框内容);
    t.ShowImage();
    EXPECT_EQ(ReadSizeFile(t.services.folder, kImage), (PictureSize{400, 300}));
    EXPECT_TRUE(t.prompts.Texts().empty());
}

// The hover timer ticks on while a question waits for its answer. When the mouse had left the
// marker just before the double-click, the tick emptied the record under the mouse, and the
// editor loaded nothing, named no marker, and lost whatever was typed next.
TEST(SoakFindings, ADoubleClickLoadsTheMarkerItWasOnWhateverTicksDuringTheQuestion) {
    AssembledWindow t;
    t.ShowImage();
    t.Choose(kYintang);
    t.main->超级编辑框1->moveCursor(QTextCursor::End);
    t.Type(QStringLiteral("甲"));
    // Off the marker and double-clicked before the next tick.
    QMouseEvent away(QEvent::MouseMove, QPointF(300, 250),
                     QPointF(t.main->画板1->mapToGlobal(QPoint(300, 250))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t.main->画板1, &away);
    t.prompts.decide = [&](const ShownBox&) {
        QTest::qWait(700); // the user reads the question
        return Answer::Ok;
    };
    QTest::mouseDClick(t.main->画板1, Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(t.state.acupointUnderMouse, "");
    EXPECT_EQ(t.state.editedMarker, kYintang);
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间甲");
    EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间甲");
}

// A list row shows its image with hover detection off, so the record under the mouse was still
// the marker of the image shown before. A double-click opened that record on the new image, and
// 保存 made a marker there that the user never added.
TEST(SoakFindings, ADoubleClickOpensOnlyAMarkerOfTheImageOnShow) {
    AssembledWindow t;
    OpenTwoImages(t);
    ASSERT_NO_FATAL_FAILURE(SwitchByTheListWithYintangUnderTheMouse(t));
    QTest::mouseDClick(t.main->画板1, Qt::LeftButton, {}, QPoint(50, 60));
    t.Type(QStringLiteral("甲"));
    t.Click(t.main->按钮保存编辑框内容);
    EXPECT_FALSE(t.main->超级编辑框1->isEnabled());
    EXPECT_FALSE(Exists(MarkerFilePath(t.services.folder, "背部.png", kYintang)));
}

// Until the next tick the record under the mouse still named a marker just deleted: a
// double-click opened it, and 保存 brought back the marker the user had deleted.
TEST(SoakFindings, ADoubleClickRightAfterDeletingAMarkerOpensNothing) {
    AssembledWindow t;
    t.ShowImage();
    ASSERT_TRUE(t.PointAt(kHegu));
    t.prompts.menuChoices = {"删除此穴位标志"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(200, 150));
    ASSERT_FALSE(Exists(t.Marker(kHegu)));
    QTest::mouseDClick(t.main->画板1, Qt::LeftButton, {}, QPoint(200, 150));
    t.Type(QStringLiteral("甲"));
    t.Click(t.main->按钮保存编辑框内容);
    EXPECT_FALSE(Exists(t.Marker(kHegu)));
}

// After the image on show was deleted, the zoom slider brought the panel back with the deleted
// picture, and a double-click opened one of its deleted markers.
TEST(SoakFindings, AfterDeletingAnImageTheZoomShowsNone) {
    AssembledWindow t;
    t.ShowImage();
    ASSERT_TRUE(t.PointAt(kYintang));
    t.prompts.menuChoices = {"是否要删除此图片以及此图片下面所有的标注穴位介绍"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板列表条, Qt::RightButton, {}, QPoint(20, 20));
    ASSERT_FALSE(Exists(ImageFile(t.services.folder, kImage)));
    t.Key(t.main->滑块条1, Qt::Key_Down);
    EXPECT_EQ(t.main->画板1->width(), 0);
    t.Key(t.main->滑块条1, Qt::Key_Up);
    EXPECT_EQ(t.main->画板1->width(), 0);
}

// The marker menu offered 删除此穴位标志 for whatever record the last tick left: the size file
// (deleting the image's size, which the next showing "repaired" with a message), or a marker of
// the image shown before a list row switched images.
TEST(SoakFindings, TheMarkerMenuDeletesOnlyAMarkerOfTheImageOnShow) {
    AssembledWindow t;
    OpenTwoImages(t);
    ASSERT_TRUE(t.PointAt(QPoint(5, 5), "0！0！0！"));
    t.prompts.menuChoices = {"删除此穴位标志"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_EQ(t.prompts.menus.size(), 1u);
    EXPECT_TRUE(t.prompts.menus[0][0].enabled);  // 在此添加穴位标志
    EXPECT_FALSE(t.prompts.menus[0][1].enabled); // 删除此穴位标志
    EXPECT_EQ(ReadSizeFile(t.services.folder, kImage), (PictureSize{400, 300}));

    ASSERT_NO_FATAL_FAILURE(SwitchByTheListWithYintangUnderTheMouse(t));
    t.prompts.menuChoices = {"删除此穴位标志"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(150, 100));
    ASSERT_EQ(t.prompts.menus.size(), 2u);
    EXPECT_FALSE(t.prompts.menus[1][1].enabled);
    EXPECT_TRUE(Exists(t.Marker(kYintang)));
    EXPECT_TRUE(t.prompts.Texts().empty());
}

// Reopening the main window kept the size of the image shown last: the zoom brought back a
// blank panel over which that image's markers blinked, opened and took new markers.
TEST(SoakFindings, AReopenedWindowShowsNoImageAtAnyZoom) {
    AssembledWindow t;
    t.ShowImage();
    ASSERT_TRUE(t.PointAt(kYintang));
    t.main.reset();
    t.Open();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}) {
        t.Key(t.main->滑块条1, key);
        EXPECT_EQ(t.main->画板1->width(), 0);
    }
}

} // namespace
