// The main window's own behaviour on the assembled window: zooming keeps the frame's centre,
// and panning ends when the pointer leaves the image area.

#include "AssembledWindow.h"

#include <QSlider>

namespace {

using namespace penrica;

TEST(MainWindowBehaviour, ZoomKeepsTheFrameCentre) {
    AssembledWindow t;
    t.ShowImage(); // 400 × 300
    const QPoint before =
        t.main->画板1->pos(); // (96, 82): frame centre (296, 232) is image (200, 150)
    t.main->滑块条1->setValue(5);
    EXPECT_EQ(t.main->画板1->size(), QSize(200, 150));
    EXPECT_EQ(t.main->画板1->pos(), QPoint(296 - 100, 232 - 75));
    EXPECT_EQ(t.main->标签1->text().toStdString(), "如果想让软件自动提示穴位，请将图片放到最大");
    EXPECT_EQ(t.state.hoverEnabled, 0);
    t.main->滑块条1->setValue(10);
    EXPECT_EQ(t.main->画板1->pos(), before);
    EXPECT_EQ(t.state.hoverEnabled, 1);
}

TEST(MainWindowBehaviour, PanningEndsWhenThePointerLeaves) {
    AssembledWindow t;
    t.ShowImage();
    t.main->move(100, 100);
    const QRect w = t.main->frameGeometry();
    const int editorLeft = w.left() + w.width() - t.main->超级编辑框1->width();
    const QPoint inside(w.left() + 10, w.top() + 10);
    for (QPoint outside :
         {QPoint(w.left() - 1, w.top() + 10), QPoint(w.left() + 10, w.top() - 1),
          QPoint(editorLeft + 1, w.top() + 10), QPoint(w.left() + 10, w.top() + w.height() + 1)}) {
        t.desktop.pointer = inside;
        QTest::mousePress(t.main->画板1, Qt::LeftButton, {}, QPoint(5, 5));
        t.Tick(t.main->时钟监视鼠标移出);
        EXPECT_EQ(t.state.dragging, 1);
        t.desktop.pointer = outside;
        t.Tick(t.main->时钟监视鼠标移出);
        EXPECT_EQ(t.state.dragging, 0) << outside.x() << "," << outside.y();
    }
}

} // namespace
