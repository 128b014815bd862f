// The four windows: every control by name, kind, parent, place, size and caption; the menus;
// the help texts; the start window's move; the main window's first opening.

#include "AppHarness.h"
#include "app/HelpTexts.h"
#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "platform/core/Files.h"
#include "platform/qt/RichEdit.h"
#include "styling/StyleWindows.h"
#include "styling/core/ConfigFile.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct ControlRow {
    const char* name;
    const char* kind; // Qt class the control must be
    const char* parent;
    int x, y, w, h;
    const char* caption;
};

QString Caption(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    return {};
}

void ExpectControls(QWidget& window, const std::vector<ControlRow>& rows) {
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget* w = Child(window, row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(row.kind)) << w->metaObject()->className();
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromUtf8(row.parent));
        EXPECT_EQ(w->geometry(), QRect(row.x, row.y, row.w, row.h));
        EXPECT_EQ(Caption(w), QString::fromUtf8(row.caption));
    }
}

QStringList EntryTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

TEST(StartWindow, ControlsAndFrame) {
    AppHarness h;
    penrica::StartWindow start(h.state, h.services);
    EXPECT_EQ(start.windowTitle(), QStringLiteral("Penrica"));
    EXPECT_FALSE(start.windowIcon().isNull());
    ExpectControls(start, {
                              {"按钮1", "QPushButton", "启动窗口", 48, 8, 152, 24, "Penrica"},
                              {"标签1", "QLabel", "启动窗口", 16, 48, 240, 32,
                               "可打开www.penrica.org 查找更多穴位"},
                              {"标签2", "QLabel", "启动窗口", 88, 88, 80, 16, "内部学习使用"},
                          });
}

TEST(StartWindow, ButtonMovesToScreenEdgeAndOpensMainWindow) {
    AppHarness h;
    h.desktop.screenWidth = 1024;
    penrica::StartWindow start(h.state, h.services);
    start.show();
    bool shown = false;
    start.onMainWindowShown = [&](penrica::MainWindow& main) {
        shown = main.isVisible();
        QTimer::singleShot(0, &main, &QDialog::accept);
    };
    start.按钮1->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(start.x(), 824);
}

TEST(StartWindow, AddressOpensOnlyWhenOnline) {
    AppHarness h;
    penrica::StartWindow start(h.state, h.services);
    start.OpenAuthorAddress();
    EXPECT_TRUE(h.desktop.openedAddresses.empty());
    h.desktop.online = true;
    start.OpenAuthorAddress();
    EXPECT_EQ(h.desktop.openedAddresses, std::vector<std::string>{penrica::kAuthorAddress});
}

// The title bar shows nothing: Qt would show the application's name for an empty title.
void ExpectNoTitleText(const QWidget& window) {
    EXPECT_FALSE(window.windowTitle().isEmpty()) << "Qt shows the program's name instead";
    EXPECT_TRUE(window.windowTitle().trimmed().isEmpty());
}

TEST(MainWindow, Controls) {
    AppHarness h;
    penrica::MainWindow main(h.state, h.services);
    ExpectNoTitleText(main);
    ExpectControls(main,
                   {
                       {"分组框1", "QGroupBox", "控件区", 8, 24, 592, 464, ""},
                       {"画板1", "penrica::DrawPanel", "分组框1", 88, 64, 0, 264, ""},
                       {"滑块条1", "QSlider", "控件区", 232, 488, 264, 48, ""},
                       {"标签1", "QLabel", "控件区", 8, 528, 600, 24, "共有：0 张图片"},
                       {"分组框2", "QGroupBox", "控件区", 72, 552, 456, 56, ""},
                       {"画板列表条", "penrica::DrawPanel", "分组框2", 8, 8, 10, 40, ""},
                       {"图形按钮2", "QAbstractButton", "控件区", 8, 560, 64, 40, ""},
                       {"图形按钮1", "QAbstractButton", "控件区", 528, 560, 56, 40, ""},
                       {"按钮保存编辑框内容", "QPushButton", "控件区", 608, 8, 40, 24, "保存"},
                       {"标签编辑框穴位名称提示", "QLabel", "控件区", 664, 8, 304, 24, ""},
                       {"超级编辑框1", "penrica::RichEdit", "控件区", 608, 32, 360, 456, ""},
                       {"标签右边", "QLabel", "控件区", 608, 496, 360, 24, ""},
                       {"超级列表框1", "QTreeWidget", "控件区", 608, 528, 224, 120, ""},
                       {"编辑框查找穴位", "QLineEdit", "控件区", 840, 528, 128, 24, ""},
                       {"按钮查找穴位", "QPushButton", "控件区", 840, 560, 128, 24, "查找穴位"},
                       {"标签版本", "QLabel", "控件区", 848, 600, 120, 32, "Penrica\n版本：1.1"},
                   });
    EXPECT_FALSE(main.超级编辑框1->isEnabled());
    EXPECT_EQ(main.滑块条1->minimum(), 4);
    EXPECT_EQ(main.滑块条1->maximum(), 10);
    EXPECT_EQ(main.滑块条1->value(), 10);
    auto* header = main.超级列表框1->headerItem();
    ASSERT_EQ(header->columnCount(), 3);
    EXPECT_EQ(header->text(0), QStringLiteral("穴位"));
    EXPECT_EQ(header->text(1), QStringLiteral("所在图片"));
    EXPECT_EQ(header->text(2), QStringLiteral("全"));
    EXPECT_EQ(main.超级列表框1->columnWidth(0), 50);
    EXPECT_EQ(main.超级列表框1->columnWidth(1), 160);
    EXPECT_EQ(main.时钟定时获取鼠标在画板中的位置->interval(), 600);
    EXPECT_TRUE(main.时钟定时获取鼠标在画板中的位置->isActive());
    EXPECT_FALSE(main.时钟画板列表条->isActive());
    EXPECT_FALSE(main.时钟监视鼠标移出->isActive());
}

TEST(MainWindow, SliderMarksStayAboveTheStatusLine) {
    AppHarness h;
    penrica::MainWindow main(h.state, h.services);
    QWidget* slider = main.滑块条1;
    const int covered = slider->geometry().bottom() + 1 - main.标签1->y();
    ASSERT_EQ(covered, 8); // the tables overlap them by 8 rows
    const QImage picture = slider->grab().toImage();
    const QRgb background = picture.pixel(0, picture.height() - 1);
    auto marksInRows = [&](int from, int to) {
        int marks = 0;
        for (int y = from; y < to; ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                marks += picture.pixel(x, y) != background;
            }
        }
        return marks;
    };
    EXPECT_EQ(marksInRows(picture.height() - covered, picture.height()), 0);
    EXPECT_GT(marksInRows(picture.height() - covered - 12, picture.height() - covered), 7)
        << "the seven tick marks are still drawn";
}

TEST(MainWindow, MenuBarHoldsOnlyFileAndHelp) {
    AppHarness h;
    penrica::MainWindow main(h.state, h.services);
    QStringList bar;
    for (QAction* a : main.menuBar->actions())
        bar << a->text();
    EXPECT_EQ(bar, QStringList({QStringLiteral("文件"), QStringLiteral("帮助")}));
    EXPECT_EQ(EntryTexts(main.画板右键),
              QStringList({"在此添加穴位标志", "删除此穴位标志", "-", "不操作", "-",
                           "移动此穴位标志", "重命名此穴位标志"}));
    EXPECT_EQ(EntryTexts(main.编辑框右键),
              QStringList({"改变选中字体", "粘贴", "复制", "全选", "-", "字符格式1", "字符格式2",
                           "字符格式3", "字符格式4"}));
    EXPECT_EQ(EntryTexts(main.画板列表条右键),
              QStringList({"是否要删除此图片以及此图片下面所有的标注穴位介绍"}));
    EXPECT_EQ(EntryTexts(main.文件),
              QStringList({"添加图片", "穴位介绍文本另存为", "打开穴位介绍五彩文本", "打开普通文本",
                           "配置快捷字符格式", "恢复出厂配置", "-", "生成学习图谱"}));
}

TEST(MainWindow, FirstOpeningCreatesDataFoldersAndFactoryConfig) {
    AppHarness h;
    { penrica::MainWindow main(h.state, h.services); }
    EXPECT_TRUE(penrica::IsFolder(h.folder.path() / "tupian"));
    EXPECT_TRUE(penrica::IsFolder(h.folder.path() / "zhujie"));
    TempFolder other;
    penrica::ConfigFile(other.path() / "peizhi.ini").EnsureConfigFile();
    EXPECT_EQ(penrica::ReadWholeFile(h.folder.path() / "peizhi.ini"),
              penrica::ReadWholeFile(other.path() / "peizhi.ini"));
    EXPECT_FLOAT_EQ(h.state.zoomFactor, 1.0f);
}

TEST(FontStyleWindow, Controls) {
    penrica::FontStyleWindow w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("字符格式设置"));
    EXPECT_EQ(w.size(), QSize(489 - 6, 276 - 28));
    ExpectControls(w,
                   {
                       {"分组框1", "QGroupBox", "字符格式设置", 48, 16, 424, 120, ""},
                       {"标签背景色", "QLabel", "分组框1", 8, 16, 88, 24, "背景色（临时）"},
                       {"组合框3", "QComboBox", "分组框1", 96, 16, 120, 20, "#白色"},
                       {"标签字体颜色", "QLabel", "分组框1", 248, 16, 48, 24, "字体颜色"},
                       {"组合框字符颜色", "QComboBox", "分组框1", 304, 16, 112, 20, "#黑色"},
                       {"标签字体大小", "QLabel", "分组框1", 40, 48, 48, 24, "字体大小"},
                       {"编辑框字体大小", "QLineEdit", "分组框1", 96, 48, 48, 24, "9"},
                       {"标签字体名称", "QLabel", "分组框1", 216, 56, 48, 16, "字体名称"},
                       {"组合框2", "QComboBox", "分组框1", 272, 56, 144, 20, "宋体"},
                       {"选择框是否加粗", "QCheckBox", "分组框1", 16, 88, 80, 16, "选是否加粗"},
                       {"选择框是否倾斜", "QCheckBox", "分组框1", 112, 88, 72, 16, "是否倾斜"},
                       {"选择框是否下划线", "QCheckBox", "分组框1", 200, 88, 80, 16, "是否下划线"},
                       {"选择框是否删除线", "QCheckBox", "分组框1", 312, 88, 80, 16, "是否删除线"},
                       {"分组框确定", "QGroupBox", "字符格式设置", 32, 144, 136, 48, ""},
                       {"按钮确定", "QPushButton", "分组框确定", 8, 8, 56, 32, "确定"},
                       {"按钮取消", "QPushButton", "分组框确定", 72, 8, 48, 32, "取消"},
                   });
}

TEST(QuickFormatWindow, ControlsAndInitialState) {
    penrica::QuickFormatWindow w;
    ExpectNoTitleText(w);
    ExpectControls(w,
                   {
                       {"分组框2", "QGroupBox", "快捷字符格式", 8, 136, 424, 48, ""},
                       {"单选框1", "QRadioButton", "分组框2", 24, 16, 80, 24, "字符格式1"},
                       {"单选框2", "QRadioButton", "分组框2", 112, 16, 80, 24, "字符格式2"},
                       {"单选框3", "QRadioButton", "分组框2", 208, 16, 80, 24, "字符格式3"},
                       {"单选框4", "QRadioButton", "分组框2", 320, 16, 80, 24, "字符格式4"},
                       {"分组框1", "QGroupBox", "快捷字符格式", 8, 8, 424, 120, ""},
                       {"标签字体大小", "QLabel", "分组框1", 64, 16, 48, 24, "字体大小"},
                       {"编辑框字体大小", "QLineEdit", "分组框1", 128, 16, 48, 24, ""},
                       {"标签字体颜色", "QLabel", "分组框1", 248, 16, 48, 24, "字体颜色"},
                       {"组合框字符颜色", "QComboBox", "分组框1", 304, 16, 112, 20, ""},
                       {"标签字体名称", "QLabel", "分组框1", 216, 56, 48, 16, "字体名称"},
                       {"组合框字体名称", "QComboBox", "分组框1", 272, 56, 144, 20, ""},
                       {"选择框是否加粗", "QCheckBox", "分组框1", 16, 88, 80, 16, "选是否加粗"},
                       {"选择框是否倾斜", "QCheckBox", "分组框1", 112, 88, 72, 16, "是否倾斜"},
                       {"选择框是否下划线", "QCheckBox", "分组框1", 200, 88, 80, 16, "是否下划线"},
                       {"选择框是否删除线", "QCheckBox", "分组框1", 312, 88, 80, 16, "是否删除线"},
                       {"按钮保存", "QPushButton", "快捷字符格式", 440, 56, 64, 32, "保存"},
                   });
    EXPECT_TRUE(Child(w, "分组框1")->isHidden());
    EXPECT_FALSE(Child(w, "按钮保存")->isEnabled());
}

} // namespace
