// The acupoint list in the main window and the file exchanges of the editor.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "introductions/EditorContent.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Window : LibraryHarness {
    std::unique_ptr<MainWindow> main;
    void Image(const std::string& name) {
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.save(QString::fromStdString(PathToUtf8(ImageFile(services.folder, name))), "PNG");
        CreateFolder(MarkerFolder(services.folder, name));
        WriteSizeFile(services.folder, name, {300, 200});
    }
    void Marker(const std::string& image, const std::string& record) {
        WriteWholeFile(MarkerFilePath(services.folder, image, record), "");
    }
    void Open() {
        main = std::make_unique<MainWindow>(state, services);
        main->show();
    }
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
    void Trigger(const char* caption) {
        main->Entry(main->文件, QString::fromUtf8(caption))->trigger();
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

    t.Search("印");
    t.ClickList(t.Row(0));
    EXPECT_EQ(t.main->画板1->pos(), QPoint(250 - 152, 200 - 87));
    EXPECT_EQ(t.main->画板1->Image().pixelColor(152 + 25, 87), QColor(0, 0, 255));
    EXPECT_EQ(t.state.markerFiles.size(), 3u);
}

struct Files : Window {
    std::filesystem::path outside;
    Files() {
        Image("a.png");
        Marker("a.png", "1！1！甲！");
        Open();
        outside = folder.path() / "outside";
        CreateFolder(outside);
        state.currentImage = "a.png";
        state.acupointUnderMouse = "1！1！甲！";
        main->画板1->onDoubleClick(1, 1);
        prompts.boxes.clear();
    }
    RichEdit& Edit() { return *main->超级编辑框1; }
};

TEST(IntroductionFiles, VornRoundTripKeepsTextFormatsAndBreaks) {
    Files t;
    CharFormat bold;
    bold.effects = kBold;
    bold.colour = 0x000000FF;
    bold.face = "黑体";
    QTextCursor cursor(t.Edit().document());
    cursor.insertText(QStringLiteral("穴位\n"), RichEdit::ToQt(CharFormat{}));
    cursor.insertText(QStringLiteral("介绍"), RichEdit::ToQt(bold));
    const StyledText before = ReadEditorContent(t.Edit());
    const std::string vorn = PathToUtf8(t.outside / "x.vorn");
    t.prompts.files.push_back(vorn);
    t.Trigger("穴位介绍文本另存为");
    EXPECT_EQ(t.prompts.fileDialogs.back().filter, "vorn(vorn)|*.vorn");
    EXPECT_EQ(t.prompts.fileDialogs.back().defaultExtension, "vorn");
    EXPECT_TRUE(t.prompts.boxes.empty());

    t.prompts.answers.push_back(Answer::Ok);
    t.prompts.files.push_back(vorn);
    t.Trigger("打开穴位介绍五彩文本");
    EXPECT_EQ(t.prompts.Texts(),
              std::vector<std::string>{
                  "1！1！甲！ 的介绍内容已经存在，如果打开新内容，将会替换原来的。确定替换吗？"});
    EXPECT_EQ(ReadEditorContent(t.Edit()), before);
    EXPECT_EQ(t.state.introChanged, 1);

    // A marker file and a .vorn file hold the same bytes.
    CopyWholeFile(t.outside / "x.vorn", MarkerFilePath(t.services.folder, "a.png", "1！1！甲！"));
    t.Edit().ClearContent();
    t.state.introChanged = 0;
    t.main->画板1->onDoubleClick(1, 1);
    EXPECT_EQ(ReadEditorContent(t.Edit()), before);
}

TEST(IntroductionFiles, PlainTextLimitAndUnreadableFiles) {
    struct Case {
        std::string bytes;
        bool loaded;
    };
    const Case cases[] = {
        {std::string(10000, 'a'), true},
        {std::string(10001, 'a'), false},
        {std::string(4999, 'a') + "\n" + std::string(4999, 'b'), true},
        {"\xD1\xA8\xCE\xBB" + std::string(1, '\0') + "tail", true},
    };
    for (const Case& c : cases) {
        Files t;
        t.Edit().SetPlainContent(QStringLiteral("保留"));
        const auto file = t.outside / "x.txt";
        WriteWholeFile(file, c.bytes);
        t.prompts.files.push_back(PathToUtf8(file));
        t.Trigger("打开普通文本");
        EXPECT_EQ(t.prompts.fileDialogs.back().filter, "txt(*.txt)|*.txt");
        if (c.loaded) {
            EXPECT_NE(t.Edit().toPlainText(), QStringLiteral("保留"));
            EXPECT_LE(t.Edit().ByteLength(), 10000u);
        } else {
            EXPECT_EQ(t.prompts.Texts().back(), "文本内容超出 。必须小于10K");
            EXPECT_EQ(t.Edit().toPlainText(), QStringLiteral("保留"));
        }
    }
    Files t;
    t.Edit().SetPlainContent(QStringLiteral("x"));
    t.prompts.files.push_back(PathToUtf8(t.outside / "missing.vorn"));
    t.Trigger("打开穴位介绍五彩文本");
    EXPECT_TRUE(t.Edit().IsEmpty());
}

TEST(IntroductionFiles, RefusedWhenDisabledOrEmptyAndSaveFailureIsTold) {
    Files t;
    t.Edit().setEnabled(false);
    for (const char* entry : {"打开穴位介绍五彩文本", "穴位介绍文本另存为", "打开普通文本"}) {
        t.Trigger(entry);
    }
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>(3, "请您先点击下面的图片并双击穴位，"));
    EXPECT_TRUE(t.prompts.fileDialogs.empty());

    t.Edit().setEnabled(true);
    t.prompts.boxes.clear();
    t.Trigger("穴位介绍文本另存为");
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{"没有介绍内容呀，"});
    EXPECT_TRUE(t.prompts.fileDialogs.empty());

    t.Edit().SetPlainContent(QStringLiteral("新"));
    WriteWholeFile(t.outside / "old.vorn", "old");
    std::filesystem::permissions(t.outside, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    t.prompts.files.push_back(PathToUtf8(t.outside / "old.vorn"));
    t.Trigger("穴位介绍文本另存为");
    EXPECT_EQ(t.prompts.Texts().back(), "保存失败");
    EXPECT_EQ(ReadWholeFile(t.outside / "old.vorn"), "old");
}

} // namespace
