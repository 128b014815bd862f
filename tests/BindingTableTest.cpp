// Every row of the windows' binding tables, reached through the assembled window's real
// bindings by a real event: a handler that is left unwired fails here.

#include "AssembledWindow.h"
#include "app/AtlasMaking.h"
#include "app/HelpTexts.h"
#include "app/StartWindow.h"
#include "platform/qt/Controls.h"
#include "styling/StyleWindows.h"
#include "styling/core/ConfigFile.h"

#include <QUrl>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

namespace {

using namespace penrica;

void Choose(QMenu* menu, const char* entry) {
    Entry(menu, entry)->trigger();
}

TEST(StartWindowBindings, ButtonOpensTheMainWindowAndLabelOpensTheAddress) {
    AppHarness h;
    h.desktop.online = true;
    StartWindow start(h.state, h.services);
    start.show();
    QTest::mouseDClick(start.标签1, Qt::LeftButton);
    EXPECT_EQ(h.desktop.openedAddresses, std::vector<std::string>{kAuthorAddress});
    bool opened = false;
    start.onMainWindowShown = [&](MainWindow& main) {
        opened = main.isVisible();
        main.windowHandle()->close();
    };
    QTest::mouseClick(start.按钮1, Qt::LeftButton);
    EXPECT_TRUE(opened);
    // The window's creation made the data folders.
    EXPECT_TRUE(IsFolder(h.services.folder.ImageFolder()));
}

TEST(MainWindowBindings, ImagePanelPanningAndItsMonitor) {
    AssembledWindow t;
    t.ShowImage();
    DrawPanel* panel = t.main->画板1;
    // Left press on the panel starts panning; a move drags the image; release anywhere stops.
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(t.state.dragging, 1);
    const QPoint before = panel->pos();
    QMouseEvent drag(QEvent::MouseMove, QPointF(60, 55),
                     QPointF(panel->mapToGlobal(QPoint(60, 55))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(panel, &drag);
    EXPECT_EQ(panel->pos(), before + QPoint(10, 5));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(60, 55));
    EXPECT_EQ(t.state.dragging, 0);

    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseRelease(t.main->controlArea, Qt::LeftButton, {}, QPoint(700, 600));
    EXPECT_EQ(t.state.dragging, 0) << "release on the window";

    // The monitor ends panning once the pointer has left the image area.
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(50, 50));
    t.desktop.pointer = t.main->frameGeometry().topLeft() - QPoint(50, 50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.state.dragging == 0; }, 2000));
}

TEST(MainWindowBindings, HoverZoomAndTheMarkerMenu) {
    AssembledWindow t;
    t.ShowImage();
    EXPECT_TRUE(t.PointAt(kYintang)) << "the mouse timer's hover test";
    // Right press on the panel: the marker menu, with delete enabled on a marker.
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(100, 80));
    ASSERT_EQ(t.prompts.menus.size(), 1u);
    EXPECT_EQ(t.prompts.menus[0][1].text, "删除此穴位标志");
    EXPECT_TRUE(t.prompts.menus[0][1].enabled);
    // 删除此穴位标志 asks, then removes the marker.
    t.prompts.menuChoices = {"删除此穴位标志"};
    t.prompts.answers = {Answer::Ok};
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(100, 80));
    EXPECT_FALSE(Exists(t.Marker(kYintang)));
    // 在此添加穴位标志 adds one where the right click was.
    ASSERT_TRUE(t.PointAt(QPoint(30, 40), ""));
    t.prompts.menuChoices = {"在此添加穴位标志"};
    t.prompts.inputs = {"新穴"};
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(30, 40));
    EXPECT_TRUE(Exists(t.Marker("30！40！新穴！")));
    EXPECT_TRUE(t.main->超级编辑框1->isEnabled());

    // The slider zooms: one step down shrinks the panel to 90 %.
    t.Key(t.main->滑块条1, Qt::Key_Down);
    EXPECT_EQ(t.main->滑块条1->value(), 9);
    EXPECT_EQ(t.main->画板1->size(), QSize(360, 270));
    EXPECT_EQ(t.state.hoverEnabled, 0);
}

TEST(MainWindowBindings, TheStripShowsScrollsAndDeletes) {
    AssembledWindow t;
    t.ShowImage();
    EXPECT_EQ(t.state.currentImage, kImage);
    EXPECT_EQ(t.main->画板1->size(), QSize(400, 300));

    for (PicButton* button : {t.main->图形按钮2, t.main->图形按钮1}) {
        const int before = t.main->画板列表条->x();
        t.Click(button);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !t.main->时钟画板列表条->isActive(); }, 3000));
        EXPECT_NE(t.main->画板列表条->x(), before) << button->objectName().toStdString();
    }

    // Deleting the image, or declining to, disables the editor: its text may be that image's.
    for (Answer answer : {Answer::Cancel, Answer::Ok}) {
        t.ShowImage();
        t.Choose(kYintang);
        ASSERT_TRUE(t.main->超级编辑框1->isEnabled());
        t.prompts.menuChoices = {"是否要删除此图片以及此图片下面所有的标注穴位介绍"};
        t.prompts.answers = {answer};
        QTest::mousePress(t.main->画板列表条, Qt::RightButton, {}, QPoint(20, 20));
        EXPECT_FALSE(t.main->超级编辑框1->isEnabled());
    }
    EXPECT_FALSE(Exists(ImageFile(t.services.folder, kImage)));
    EXPECT_FALSE(Exists(MarkerFolder(t.services.folder, kImage)));
}

TEST(MainWindowBindings, EditorChangeSaveAndItsMenu) {
    AssembledWindow t;
    t.ShowImage();
    t.Choose(kYintang);
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间");
    EXPECT_FALSE(t.main->按钮保存编辑框内容->isEnabled());
    t.main->超级编辑框1->moveCursor(QTextCursor::End);
    t.Type(QStringLiteral("甲"));
    EXPECT_EQ(t.state.introChanged, 1);
    EXPECT_EQ(t.main->标签右边->text(), QStringLiteral("请您欣赏内容"));
    t.Click(t.main->按钮保存编辑框内容);
    EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间甲");

    // The editor's popup menu: 全选, 复制, 粘贴 and a quick format.
    auto menu = [&](const char* entry) {
        t.prompts.menuChoices = {entry};
        QTest::mousePress(t.main->超级编辑框1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    };
    menu("全选");
    EXPECT_EQ(t.main->超级编辑框1->textCursor().selectedText(), QStringLiteral("印堂在两眉之间甲"));
    menu("复制");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("印堂在两眉之间甲"));
    menu("字符格式3");
    EXPECT_EQ(t.main->超级编辑框1->SelectionFormat().colour, 0x0000FFu);
    t.main->超级编辑框1->moveCursor(QTextCursor::End);
    menu("粘贴");
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间甲印堂在两眉之间甲");
    // 改变选中字体 opens the font style window; its OK takes the chosen format over.
    menu("全选");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<FontStyleWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        seen = window->组合框字符颜色->count() == 32; // created: the lists are filled
        window->编辑框字体大小->setText(QStringLiteral("20"));
        t.Click(window->按钮确定);
    });
    menu("改变选中字体");
    EXPECT_TRUE(seen);
    EXPECT_EQ(t.main->超级编辑框1->SelectionFormat().size, 20);
}

TEST(MainWindowBindings, SearchAndTheListClick) {
    AssembledWindow t;
    t.TypeInto(t.main->编辑框查找穴位, QStringLiteral("合"));
    t.Click(t.main->按钮查找穴位);
    ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1);
    QTreeWidget* list = t.main->超级列表框1;
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(t.state.currentImage, kImage);
    EXPECT_EQ(t.main->画板1->pos(), QPoint(250 - 200, 200 - 150)) << "the point moved into view";
}

TEST(MainWindowBindings, FileMenuEntries) {
    AssembledWindow t;
    t.ShowImage();
    t.Choose(kHegu);
    // 穴位介绍文本另存为 writes the editor's text to the chosen file.
    const auto vorn = t.folder.path() / u8"存.vorn";
    t.prompts.files = {PathToUtf8(vorn)};
    Choose(t.main->文件, "穴位介绍文本另存为");
    EXPECT_EQ(PlainText(ReadWholeFile(vorn)), "合谷在手背");
    // 打开普通文本 and 打开穴位介绍五彩文本 load into the editor.
    const auto txt = t.folder.path() / u8"文.txt";
    WriteWholeFile(txt, std::string("\xC6\xD5\xCD\xA8", 4)); // 普通 in GBK
    t.prompts.files = {PathToUtf8(txt)};
    t.prompts.answers = {Answer::Ok};
    Choose(t.main->文件, "打开普通文本");
    EXPECT_EQ(t.EditorText(), "普通");
    t.prompts.files = {PathToUtf8(vorn)};
    Choose(t.main->文件, "打开穴位介绍五彩文本");
    EXPECT_EQ(t.EditorText(), "合谷在手背");
    // 添加图片 copies the chosen picture into the library.
    const auto picture = t.folder.path() / u8"新图.png";
    QImage(20, 10, QImage::Format_RGB32).save(QString::fromStdString(PathToUtf8(picture)));
    t.prompts.files = {PathToUtf8(picture)};
    Choose(t.main->文件, "添加图片");
    EXPECT_TRUE(Exists(ImageFile(t.services.folder, "新图.png")));
    EXPECT_EQ(t.state.imageNames.size(), 2u);
    // 恢复出厂配置 puts the factory values back.
    const auto config = t.services.folder.ConfigFile();
    const std::string factory = ReadWholeFile(config);
    ConfigFile(config).WriteConfigItem("字符格式1", "字体大小", "40");
    Choose(t.main->文件, "恢复出厂配置");
    EXPECT_EQ(ReadWholeFile(config), factory);
}

TEST(MainWindowBindings, QuickFormatWindowRadiosAndSave) {
    AssembledWindow t;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<QuickFormatWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->组合框字符颜色->count(), 32);
        t.Click(window->单选框4);
        EXPECT_EQ(window->组合框字体名称->currentText(), QStringLiteral("黑体"));
        window->编辑框字体大小->setText(QStringLiteral("14"));
        t.Click(window->按钮保存);
        seen = true;
        window->windowHandle()->close();
    });
    Choose(t.main->文件, "配置快捷字符格式");
    EXPECT_TRUE(seen);
    EXPECT_EQ(ConfigFile(t.services.folder.ConfigFile()).ReadConfigItem("字符格式4", "字体大小"),
              "14");
}

TEST(MainWindowBindings, HelpEntriesAndTheVersionLabel) {
    AssembledWindow t;
    const std::vector<std::pair<const char*, const char*>> entries = {
        {"添加穴位图片", kHelpAddImage},
        {"在图片上添加穴位标志", kHelpAddMarker},
        {"显示标志穴位介绍", kHelpShowIntroduction},
        {"将穴位介绍改变五彩文字", kHelpStyling},
        {"版本", kAboutText},
    };
    std::vector<std::string> expected;
    for (const auto& [entry, text] : entries) {
        Choose(t.main->帮助, entry);
        expected.push_back(text);
    }
    EXPECT_EQ(t.prompts.Texts(), expected);
    for (const auto& box : t.prompts.boxes) {
        EXPECT_EQ(box.caption, kDefaultCaption);
        // Every line break is CR LF.
        for (std::size_t i = box.text.find('\n'); i != std::string::npos;
             i = box.text.find('\n', i + 1)) {
            EXPECT_TRUE(i > 0 && box.text[i - 1] == '\r') << box.text;
        }
    }
    t.desktop.online = true;
    QTest::mousePress(t.main->标签版本, Qt::LeftButton);
    EXPECT_EQ(t.desktop.openedAddresses, std::vector<std::string>{kAuthorAddress});
}

TEST(MainWindowBindings, StudyAtlasFromTheFileMenu) {
    AssembledWindow t;
    TempFolder elsewhere;
    const std::filesystem::path inside = t.folder.path() / "图谱";
    const std::filesystem::path output = elsewhere.path() / "图谱";
    t.prompts.folders = {PathToUtf8(inside), std::nullopt, PathToUtf8(output)};
    Choose(t.main->文件, "生成学习图谱"); // refused: the program folder is never written
    ASSERT_EQ(t.prompts.boxes.size(), 1u);
    EXPECT_EQ(t.prompts.boxes[0].text.rfind("输出文件夹不能在程序文件夹里面", 0), 0u);
    EXPECT_EQ(t.main->标签1->text().toStdString(), t.prompts.boxes[0].text);
    EXPECT_FALSE(Exists(inside));
    Choose(t.main->文件, "生成学习图谱"); // the dialog cancelled
    Choose(t.main->文件, "生成学习图谱");
    EXPECT_EQ(t.prompts.proposedFolders,
              std::vector<std::string>(3, PathToUtf8(ProposedAtlasFolder(t.services.folder))));
    EXPECT_EQ(t.prompts.boxes.size(), 1u);
    EXPECT_TRUE(Exists(output / "index.html"));
    EXPECT_EQ(t.main->标签1->text().toStdString(),
              "图片 1 张，穴位 2 个，报告 0 条：" + PathToUtf8(output / "index.html"));
    const QString page = QString::fromStdString(PathToUtf8(output / "index.html"));
    EXPECT_EQ(t.desktop.openedAddresses,
              std::vector<std::string>{QUrl::fromLocalFile(page).toString().toStdString()});
    // Without a browser the page's place is told.
    t.desktop.opens = false;
    t.prompts.folders = {PathToUtf8(output)};
    Choose(t.main->文件, "生成学习图谱");
    EXPECT_EQ(t.prompts.boxes.back().text, kNoBrowser + PathToUtf8(output / "index.html"));
}

} // namespace
