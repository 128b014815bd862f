// The acupoint list in the main window: the search fills it, a click shows the row's acupoint.

#include "LibraryWindow.h"
#include "platform/qt/DrawPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Window : LibraryWindow {
    void Search(const char* text) {
        main->编辑框查找穴位->setText(QString::fromUtf8(text));
        main->按钮查找穴位->click();
    }
    void ClickList(QPoint at) {
        QWidget* viewport = main->超级列表框1->viewport();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
    }
    QPoint Row(int n) {
        return main->超级列表框1->visualItemRect(main->超级列表框1->topLevelItem(n)).center();
    }
};

TEST(AcupointList, SearchFillsRowsAndReplacesThem) {
    Window t;
    for (const char* image : {"a.png", "b.png"})
        t.Image(image);
    t.Marker("a.png", "152！87！印堂！");
    t.Open();
    t.Search("0");
    EXPECT_EQ(t.main->超级列表框1->topLevelItemCount(), 2);
    EXPECT_EQ(t.main->标签右边->text(), QStringLiteral("找到了，请您点击穴位名字"));
    t.Search("堂");
    ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1);
    QTreeWidgetItem* row = t.main->超级列表框1->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("印堂"));
    EXPECT_EQ(row->text(1), QStringLiteral("a.png"));
    EXPECT_EQ(row->text(2), QStringLiteral("152！87！印堂！"));
    t.Search("无");
    EXPECT_EQ(t.main->超级列表框1->topLevelItemCount(), 0);
    EXPECT_EQ(t.main->标签右边->text(), QStringLiteral("没有找到呀！您还没有添加此穴位"));
}

TEST(AcupointList, ClickShowsTheAcupointWithItsRing) {
    Window t;
    t.Image("a.png");
    t.Marker("a.png", "152！87！印堂！");
    t.Marker("a.png", "5！6！A！B！");
    t.Open();
    t.Search("A");
    t.prompts.boxes.clear();
    t.state.hoverEnabled = 1;
    t.ClickList(QPoint(5, 100)); // below the only row: nothing selected
    EXPECT_EQ(t.state.currentImage, "");
    EXPECT_EQ(t.state.hoverEnabled, 1);

    t.ClickList(t.Row(0));
    EXPECT_EQ(t.state.currentImage, "a.png");
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{"文件名错误：5！6！A！B！"});
    EXPECT_EQ(t.state.hoverEnabled, 0);

    // By the name or by its pinyin: the row shows the acupoint and rings it.
    for (const char* text : {"印", "yt", "Yìn Táng"}) {
        t.Search(text);
        ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1) << text;
        t.main->画板1->move(0, 0);
        t.ClickList(t.Row(0));
        EXPECT_EQ(t.main->画板1->pos(), QPoint(250 - 152, 200 - 87)) << text;
        EXPECT_EQ(t.main->画板1->Image().pixelColor(152 + 25, 87), QColor(0, 0, 255));
        EXPECT_EQ(t.state.markerFiles.size(), 3u);
    }
    // A click below the rows leaves none selected, so it shows nothing again.
    t.main->画板1->move(0, 0);
    t.ClickList(QPoint(5, 100));
    EXPECT_EQ(t.main->画板1->pos(), QPoint(0, 0));
}

} // namespace
