// The introduction editor's flows with their questions, states and files.

#include "introductions/IntroductionEditor.h"
#include "AppHarness.h"
#include "introductions/EditorContent.h"
#include "introductions/EditorMessages.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/CompositionGuard.h"
#include "platform/qt/RichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Editor : AppHarness {
    RichEdit edit;
    QLabel name, message;
    QPushButton save;
    IntroductionEditor editor{state, state, services,
                              EditorControls{&edit, &name, &message, &save}};

    Editor() {
        edit.setEnabled(false);
        QObject::connect(&edit, &RichEdit::ContentChanged, [this] { editor.ContentChanged(); });
        QObject::connect(&save, &QPushButton::clicked, [this] { editor.SaveChanges(); });
        state.currentImage = "头部.jpg";
        CreateFolder(services.folder.MarkerRoot());
        CreateFolder(MarkerFolder(services.folder, state.currentImage));
    }
    std::filesystem::path File(const std::string& record) {
        return MarkerFilePath(services.folder, state.currentImage, record);
    }
    void Marker(const std::string& record, const QString& text) {
        RichEdit scratch;
        scratch.SetPlainContent(text);
        WriteWholeFile(File(record), EncodeIntroduction(ReadEditorContent(scratch)).bytes);
    }
    QString Stored(const std::string& record) {
        RichEdit scratch;
        LoadEditorContent(scratch, DecodeIntroduction(ReadWholeFile(File(record))));
        return scratch.toPlainText();
    }
    void Choose(const std::string& record) {
        state.acupointUnderMouse = record;
        editor.ChooseAcupoint();
    }
    void UserTypes(const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&edit, &press);
        }
    }
};

TEST(IntroductionEditor, ChooseLoadsAndResetsTheChangedState) {
    Editor t;
    t.Marker("1！1！甲！", QStringLiteral("甲的介绍"));
    t.Choose("1！1！甲！");
    EXPECT_EQ(t.edit.toPlainText(), QStringLiteral("甲的介绍"));
    EXPECT_TRUE(t.edit.isEnabled());
    EXPECT_FALSE(t.save.isEnabled());
    EXPECT_EQ(t.state.introChanged, 0);
    EXPECT_EQ(t.state.editedMarker, "1！1！甲！");
    EXPECT_EQ(t.state.currentAcupoint, "1！1！甲！");
    EXPECT_EQ(t.name.text().toStdString(), "头部.jpg：1！1！甲！");

    t.Choose("");
    EXPECT_EQ(t.name.text().toStdString(), "头部.jpg：1！1！甲！（保留）");
    EXPECT_EQ(t.edit.toPlainText(), QStringLiteral("甲的介绍"));
    EXPECT_TRUE(t.prompts.boxes.empty());
}

TEST(IntroductionEditor, ChangedTextIsOfferedBeforeTheNextLoad) {
    for (Answer answer : {Answer::Ok, Answer::Cancel}) {
        Editor t;
        t.Marker("1！1！甲！", QStringLiteral("旧"));
        t.Marker("2！2！乙！", QStringLiteral("乙"));
        t.Choose("1！1！甲！");
        t.UserTypes(QStringLiteral("新"));
        EXPECT_EQ(t.state.introChanged, 1);
        EXPECT_TRUE(t.save.isEnabled());
        EXPECT_EQ(t.message.text(), QStringLiteral("请您欣赏内容"));
        t.prompts.answers.push_back(answer);
        t.Choose("2！2！乙！");
        ASSERT_EQ(t.prompts.boxes.size(), 1u);
        EXPECT_EQ(t.prompts.boxes[0].text, "穴位说明文本内容已被改变，是否保存？1！1！甲！");
        EXPECT_EQ(t.Stored("1！1！甲！"),
                  answer == Answer::Ok ? QStringLiteral("旧新") : QStringLiteral("旧"));
        EXPECT_EQ(t.edit.toPlainText(), QStringLiteral("乙"));
        EXPECT_EQ(t.state.editedMarker, "2！2！乙！");
    }
}

TEST(IntroductionEditor, EmptiedEditorIsNotOffered) {
    Editor t;
    t.Marker("1！1！甲！", QStringLiteral("旧"));
    t.Marker("2！2！乙！", QStringLiteral("乙"));
    t.Choose("1！1！甲！");
    t.edit.ClearContent();
    t.Choose("2！2！乙！");
    EXPECT_TRUE(t.prompts.boxes.empty());
    EXPECT_EQ(t.Stored("1！1！甲！"), QStringLiteral("旧"));
}

TEST(IntroductionEditor, FailedSaveKeepsTheUnsavedText) {
    Editor t;
    t.Marker("1！1！甲！", QStringLiteral("旧"));
    t.Marker("2！2！乙！", QStringLiteral("乙"));
    t.Choose("1！1！甲！");
    t.UserTypes(QStringLiteral("新"));
    if (!MakeFolderReadOnly(MarkerFolder(t.services.folder, "头部.jpg"))) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
    t.prompts.answers.push_back(Answer::Ok);
    t.Choose("2！2！乙！");
    EXPECT_EQ(t.prompts.Texts().back(), kSaveFailed);
    EXPECT_EQ(t.edit.toPlainText(), QStringLiteral("旧新"));
    EXPECT_EQ(t.state.introChanged, 1);
    EXPECT_EQ(t.state.editedMarker, "1！1！甲！");

    t.save.click();
    EXPECT_EQ(t.prompts.Texts().back(), kSaveFailed);
    EXPECT_TRUE(t.save.isEnabled());

    t.prompts.answers.push_back(Answer::Ok);
    EXPECT_EQ(t.editor.SaveOnClose(), CloseDecision::StayOpen);
    EXPECT_EQ(t.prompts.boxes.back().text, kSaveFailed);
    t.prompts.answers.push_back(Answer::Cancel);
    EXPECT_EQ(t.editor.SaveOnClose(), CloseDecision::Close);
}

TEST(IntroductionEditor, NewMarkerStartsEmptyAndSavesIntoItsOwnFile) {
    Editor t;
    t.Marker("1！1！甲！", QStringLiteral("甲"));
    t.Choose("1！1！甲！");
    t.UserTypes(QStringLiteral("改"));
    CreateNewFile(t.File("5！5！新！"));
    t.prompts.answers.push_back(Answer::Cancel);
    t.editor.StartNewIntroduction("5！5！新！");
    EXPECT_EQ(t.prompts.boxes.back().text, "穴位说明文本内容已被改变，是否保存？1！1！甲！");
    EXPECT_TRUE(t.edit.toPlainText().isEmpty());
    EXPECT_TRUE(t.edit.isEnabled());
    EXPECT_EQ(t.state.introChanged, 1); // the emptying was the last change
    EXPECT_TRUE(t.save.isEnabled());
    EXPECT_EQ(t.name.text().toStdString(), "头部.jpg：5！5！新！");
    EXPECT_EQ(t.Stored("1！1！甲！"), QStringLiteral("甲"));

    t.UserTypes(QStringLiteral("新介绍"));
    t.prompts.answers.push_back(Answer::Ok);
    EXPECT_EQ(t.editor.SaveOnClose(), CloseDecision::Close);
    EXPECT_EQ(t.prompts.boxes.back().text, kCloseQuestion);
    EXPECT_EQ(t.Stored("5！5！新！"), QStringLiteral("新介绍"));
}

TEST(IntroductionEditor, NewMarkerAfterSavingTheChangedTextHasNothingPending) {
    Editor t;
    t.Marker("1！1！甲！", QStringLiteral("甲"));
    t.Choose("1！1！甲！");
    t.UserTypes(QStringLiteral("改"));
    const QString changed = t.edit.toPlainText();
    CreateNewFile(t.File("5！5！新！"));
    t.prompts.answers.push_back(Answer::Ok);
    t.editor.StartNewIntroduction("5！5！新！");
    EXPECT_EQ(t.Stored("1！1！甲！"), changed);
    EXPECT_TRUE(t.edit.toPlainText().isEmpty());
    // Emptied after the save and before the reset, so nothing is pending for the new marker.
    EXPECT_EQ(t.state.introChanged, 0);
    EXPECT_FALSE(t.save.isEnabled());
    EXPECT_EQ(t.state.editedMarker, "5！5！新！");
}

TEST(IntroductionEditor, SaveButton) {
    Editor t;
    t.edit.setEnabled(true);
    t.UserTypes(QStringLiteral("x"));
    t.save.click();
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kDoubleClickAnAcupoint});

    t.Marker("1！1！甲！", QStringLiteral("甲"));
    t.Choose("1！1！甲！");
    t.UserTypes(QStringLiteral("乙"));
    t.save.click();
    EXPECT_EQ(t.Stored("1！1！甲！"), QStringLiteral("甲乙"));
    EXPECT_EQ(t.message.text().toStdString(), "保存：头部.jpg：1！1！甲！  成功");
    EXPECT_FALSE(t.save.isEnabled());
    EXPECT_EQ(t.state.introChanged, 0);
}

TEST(IntroductionEditor, LimitRefusesEditsWholeAndNeverLosesText) {
    Editor t;
    t.Marker("1！1！甲！", QString(4999, QChar(u'穴')));
    t.Choose("1！1！甲！");
    EXPECT_EQ(t.edit.ByteLength(), 9998u);
    t.UserTypes(QStringLiteral("a"));
    EXPECT_EQ(t.edit.ByteLength(), 9999u);
    t.UserTypes(QStringLiteral("穴"));
    EXPECT_EQ(t.edit.ByteLength(), 9999u);
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kTooLong});
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    t.edit.paste();
    EXPECT_EQ(t.edit.ByteLength(), 9999u);
    // An input method's commit over the selected "a", with the composition it ends: the
    // selection stays.
    CompositionGuard guard(nullptr); // as the main window keeps the selection under a composition
    t.edit.moveCursor(QTextCursor::End);
    t.edit.moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
    QInputMethodEvent composition(QStringLiteral("xue xue"), {});
    QApplication::sendEvent(&t.edit, &composition);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("穴穴"));
    QApplication::sendEvent(&t.edit, &commit);
    EXPECT_EQ(t.edit.ByteLength(), 9999u);
    EXPECT_EQ(t.edit.textCursor().block().layout()->preeditAreaText(), QString());
    EXPECT_EQ(t.edit.textCursor().selectedText(), QStringLiteral("a"));
    EXPECT_EQ(t.prompts.boxes.size(), 3u);
    EXPECT_TRUE(t.edit.isEnabled());

    // A stored introduction that is itself too long: told once, not loaded, file untouched.
    t.Marker("2！2！乙！", QString(5001, QChar(u'穴')));
    const std::string before = ReadWholeFile(t.File("2！2！乙！"));
    t.state.introChanged = 0;
    t.prompts.boxes.clear();
    t.Choose("2！2！乙！");
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kTooLong});
    EXPECT_TRUE(t.edit.toPlainText().isEmpty());
    EXPECT_FALSE(t.edit.isEnabled());
    EXPECT_EQ(ReadWholeFile(t.File("2！2！乙！")), before);
}

} // namespace
