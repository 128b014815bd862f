// The main window's controls and menus, placed as the window's control table gives them.

#include "app/MainWindow.h"

#include "images/core/Zoom.h"
#include "platform/qt/Colours.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"
#include "platform/qt/WindowFrame.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

namespace penrica {

namespace {

PicButton* ScrollButton(QWidget* parent, QSize picture, ArrowDirection direction,
                        const QString& word) {
    QPixmap normal = DrawArrowPicture(picture, direction, word, false);
    QPixmap hover = DrawArrowPicture(picture, direction, word, true);
    return new PicButton(normal, hover, normal, normal, parent);
}

// Appends an entry with `caption` as its text and object name.
QAction* AddEntry(QMenu* menu, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(caption));
    return action;
}

QMenu* NamedMenu(QMenu* menu, const char* name) {
    menu->setObjectName(QString::fromUtf8(name));
    return menu;
}

} // namespace

void MainWindow::CreateControls() {
    QWidget* a = controlArea;

    分组框1 = Named(new QGroupBox(a), "分组框1", 8, 24, 592, 464);
    画板1 = Named(new DrawPanel(分组框1), "画板1", 88, 64, 312, 264);
    画板1->SetBackgroundPicture(QImage(), BackgroundMode::Centred);

    auto* slider = Named(new SliderBar(Qt::Horizontal, a), "滑块条1", 232, 488, 264, 48);
    滑块条1 = slider;
    滑块条1->setRange(kSmallestZoom, kFullSize);
    滑块条1->setValue(kFullSize);
    滑块条1->setTickPosition(QSlider::TicksBelow);
    滑块条1->setTickInterval(1);
    滑块条1->setPageStep(1);

    标签1 = Named(new QLabel(QStringLiteral("标签"), a), "标签1", 8, 528, 600, 24);
    标签1->setFont(ControlFont(QStringLiteral("宋体"), 16));
    SetColour(*标签1, ColourRole::Text, 0x000000);
    // The status line covers the slider's lowest rows; its tick marks stay above the text.
    slider->SetDrawnHeight(标签1->y() - 滑块条1->y());

    分组框2 = Named(new QGroupBox(a), "分组框2", 72, 552, 456, 56);
    画板列表条 = Named(new DrawPanel(分组框2), "画板列表条", 8, 8, 272, 40);
    画板列表条->SetBackgroundPicture(QImage(), BackgroundMode::Tiled);

    图形按钮2 = Named(ScrollButton(a, QSize(56, 37), ArrowDirection::Left, QStringLiteral("向左")),
                      "图形按钮2", 8, 560, 64, 40);
    图形按钮1 = Named(ScrollButton(a, QSize(53, 38), ArrowDirection::Right, QStringLiteral("向右")),
                      "图形按钮1", 528, 560, 56, 40);

    按钮保存编辑框内容 =
        Named(new QPushButton(QStringLiteral("保存"), a), "按钮保存编辑框内容", 608, 8, 40, 24);
    标签编辑框穴位名称提示 = Named(new QLabel(a), "标签编辑框穴位名称提示", 664, 8, 304, 24);
    标签编辑框穴位名称提示->setFont(ControlFont(QStringLiteral("宋体"), 14));
    SetColour(*标签编辑框穴位名称提示, ColourRole::Text, 0x000000);

    超级编辑框1 = Named(new RichEdit(a), "超级编辑框1", 608, 32, 360, 456);
    超级编辑框1->setEnabled(false);

    标签右边 = Named(new QLabel(a), "标签右边", 608, 496, 360, 24);

    超级列表框1 = Named(new QTreeWidget(a), "超级列表框1", 608, 528, 224, 120);
    超级列表框1->setColumnCount(3);
    超级列表框1->setHeaderLabels(
        {QStringLiteral("穴位"), QStringLiteral("所在图片"), QStringLiteral("全")});
    超级列表框1->setRootIsDecorated(false);
    超级列表框1->setItemsExpandable(false);
    超级列表框1->setUniformRowHeights(true);
    超级列表框1->header()->setStretchLastSection(false);
    超级列表框1->setColumnWidth(0, 50);
    超级列表框1->setColumnWidth(1, 160);
    超级列表框1->setColumnWidth(2, 50);

    编辑框查找穴位 = Named(new QLineEdit(a), "编辑框查找穴位", 840, 528, 128, 24);
    按钮查找穴位 =
        Named(new QPushButton(QStringLiteral("查找穴位"), a), "按钮查找穴位", 840, 560, 128, 24);

    标签版本 = Named(new ClickLabel(QStringLiteral("Penrica\n版本：1.1"), a), "标签版本", 848, 600,
                     120, 32);
    标签版本->setFont(ControlFont(QStringLiteral("楷体_GB2312"), 12));
    SetColour(*标签版本, ColourRole::Text, 0x000000FF);

    时钟定时获取鼠标在画板中的位置 = new QTimer(this);
    时钟定时获取鼠标在画板中的位置->setObjectName(QStringLiteral("时钟定时获取鼠标在画板中的位置"));
    SetTimerPeriod(*时钟定时获取鼠标在画板中的位置, 600);
    时钟画板列表条 = new QTimer(this);
    时钟画板列表条->setObjectName(QStringLiteral("时钟画板列表条"));
    时钟监视鼠标移出 = new QTimer(this);
    时钟监视鼠标移出->setObjectName(QStringLiteral("时钟监视鼠标移出"));
}

void MainWindow::CreateMenus() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("菜单条"));
    menuBar->setGeometry(0, 0, width(), kMenuBarHeight);
    menuBar->setNativeMenuBar(false);

    文件 = NamedMenu(menuBar->addMenu(QStringLiteral("文件")), "文件");
    添加图片 = AddEntry(文件, "添加图片");
    穴位介绍文本另存为 = AddEntry(文件, "穴位介绍文本另存为");
    打开穴位介绍五彩文本 = AddEntry(文件, "打开穴位介绍五彩文本");
    打开普通文本 = AddEntry(文件, "打开普通文本");
    配置快捷字符格式 = AddEntry(文件, "配置快捷字符格式");
    恢复出厂配置 = AddEntry(文件, "恢复出厂配置");
    文件->addSeparator();
    生成学习图谱 = AddEntry(文件, "生成学习图谱");

    // The popup-only menus belong to the window but never to its menu bar.
    画板右键 = NamedMenu(new QMenu(QStringLiteral("画板右键"), this), "画板右键");
    在此添加穴位标志 = AddEntry(画板右键, "在此添加穴位标志");
    删除此穴位标志 = AddEntry(画板右键, "删除此穴位标志");
    画板右键->addSeparator();
    不操作 = AddEntry(画板右键, "不操作");
    画板右键->addSeparator();
    移动此穴位标志 = AddEntry(画板右键, "移动此穴位标志");
    重命名此穴位标志 = AddEntry(画板右键, "重命名此穴位标志");

    编辑框右键 = NamedMenu(new QMenu(QStringLiteral("编辑框右键"), this), "编辑框右键");
    改变选中字体 = AddEntry(编辑框右键, "改变选中字体");
    粘贴 = AddEntry(编辑框右键, "粘贴");
    复制 = AddEntry(编辑框右键, "复制");
    全选 = AddEntry(编辑框右键, "全选");
    编辑框右键->addSeparator();
    字符格式1 = AddEntry(编辑框右键, "字符格式1");
    字符格式2 = AddEntry(编辑框右键, "字符格式2");
    字符格式3 = AddEntry(编辑框右键, "字符格式3");
    字符格式4 = AddEntry(编辑框右键, "字符格式4");

    画板列表条右键 = NamedMenu(new QMenu(QStringLiteral("画板列表条右键"), this), "画板列表条右键");
    是否要删除此图片以及此图片下面所有的标注穴位介绍 =
        AddEntry(画板列表条右键, "是否要删除此图片以及此图片下面所有的标注穴位介绍");

    帮助 = NamedMenu(menuBar->addMenu(QStringLiteral("帮助")), "帮助");
    添加穴位图片 = AddEntry(帮助, "添加穴位图片");
    在图片上添加穴位标志 = AddEntry(帮助, "在图片上添加穴位标志");
    显示标志穴位介绍 = AddEntry(帮助, "显示标志穴位介绍");
    将穴位介绍改变五彩文字 = AddEntry(帮助, "将穴位介绍改变五彩文字");
    版本 = AddEntry(帮助, "版本");
}

} // namespace penrica
