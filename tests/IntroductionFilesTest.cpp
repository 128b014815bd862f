// The editor's file exchanges through the main window's menu: saving as and opening a
// multicolour text (.vorn), and importing a plain text, with their refusals and failures.

#include "LibraryWindow.h"
#include "introductions/EditorContent.h"
#include "introductions/EditorMessages.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Files : LibraryWindow {
    std::filesystem::path outside;
    Files() {
        Image("a.png");
        Marker("a.png", "1！1！甲！");
        Open();
        outside = folder.path() / "outside";
        CreateFolder(outside);
        state.currentImage = "a.png";
        state.markerFiles = ListMarkerFiles(services.folder, "a.png");
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
            EXPECT_EQ(t.prompts.Texts().back(), kPlainTextTooLong);
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
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>(3, kPickImageAndAcupointFirst));
    EXPECT_TRUE(t.prompts.fileDialogs.empty());

    t.Edit().setEnabled(true);
    t.prompts.boxes.clear();
    t.Trigger("穴位介绍文本另存为");
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kNoContent});
    EXPECT_TRUE(t.prompts.fileDialogs.empty());

    t.Edit().SetPlainContent(QStringLiteral("新"));
    WriteWholeFile(t.outside / "old.vorn", "old");
    if (!MakeFolderReadOnly(t.outside)) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
    t.prompts.files.push_back(PathToUtf8(t.outside / "old.vorn"));
    t.Trigger("穴位介绍文本另存为");
    EXPECT_EQ(t.prompts.Texts().back(), kSaveFailed);
    EXPECT_EQ(ReadWholeFile(t.outside / "old.vorn"), "old");
}

} // namespace
