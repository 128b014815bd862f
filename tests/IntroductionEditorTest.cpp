// The introduction editor through the assembled window: opening a marker's introduction, the
// offer to save a changed one, 保存, a new marker's empty introduction, and the byte limit.

#include "AssembledWindow.h"
#include "introductions/EditorMessages.h"

#include <QClipboard>
#include <QTextBlock>
#include <QTextLayout>

namespace {

using namespace penrica;

void RemoveWriteBit(const std::filesystem::path& path) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
}

std::string SaveQuestion(const char* record) {
    return std::string(kSaveQuestion) + record;
}

// 印堂 changed, then 合谷 double-clicked: what is asked, stored and shown.
TEST(IntroductionEditor, ChoosingAnotherMarkerOffersToSaveTheChangedText) {
    struct Case {
        const char* name;
        Answer answer;
        std::function<void(AssembledWindow&)> change;
        std::vector<std::string> shown;
        std::string stored;  // 印堂's file
        const char* editing; // the marker whose text the editor holds
        std::string editor;
    };
    const auto type = [](AssembledWindow& t) { t.Type(QStringLiteral("新")); };
    const std::string yintang = "印堂在两眉之间";
    const std::vector<Case> cases = {
        {"OK saves",
         Answer::Ok,
         type,
         {SaveQuestion(kYintang)},
         yintang + "新",
         kHegu,
         "合谷在手背"},
        {"Cancel lets it go",
         Answer::Cancel,
         type,
         {SaveQuestion(kYintang)},
         yintang,
         kHegu,
         "合谷在手背"},
        {"an emptied editor is not offered",
         Answer::Ok,
         [](AssembledWindow& t) {
             t.Key(t.main->超级编辑框1, Qt::Key_A, Qt::ControlModifier);
             t.Key(t.main->超级编辑框1, Qt::Key_Delete);
         },
         {},
         yintang,
         kHegu,
         "合谷在手背"},
        {"a failed save keeps the text",
         Answer::Ok,
         [&](AssembledWindow& t) {
             type(t);
             RemoveWriteBit(t.Marker(kYintang));
         },
         {SaveQuestion(kYintang), kSaveFailed},
         yintang,
         kYintang,
         yintang + "新"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AssembledWindow t;
        t.EditIntroduction(kYintang, QString());
        c.change(t);
        EXPECT_TRUE(t.main->按钮保存编辑框内容->isEnabled());
        t.prompts.answers = {c.answer};
        t.Choose(kHegu);
        EXPECT_EQ(t.prompts.Texts(), c.shown);
        EXPECT_EQ(t.Stored(kYintang), c.stored);
        EXPECT_EQ(t.state.editedMarker, c.editing);
        EXPECT_EQ(t.EditorText(), c.editor);
        // 保存 saves the text on show, or tells again that it cannot.
        t.Click(t.main->按钮保存编辑框内容);
        EXPECT_EQ(t.main->按钮保存编辑框内容->isEnabled(), c.editing == kYintang);
    }
}

TEST(IntroductionEditor, SaveTellsWhatItSavedAndEmptySpaceKeepsTheText) {
    AssembledWindow t;
    t.EditIntroduction(kYintang, QStringLiteral("乙"));
    EXPECT_EQ(t.main->标签编辑框穴位名称提示->text().toStdString(),
              std::string(kImage) + "：" + kYintang);
    EXPECT_EQ(t.main->标签右边->text(), QStringLiteral("请您欣赏内容"));
    t.Click(t.main->按钮保存编辑框内容);
    EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间乙");
    EXPECT_EQ(t.main->标签右边->text().toStdString(),
              std::string("保存：") + kImage + "：" + kYintang + "  成功");
    EXPECT_FALSE(t.main->按钮保存编辑框内容->isEnabled());
    EXPECT_EQ(t.state.introChanged, 0);

    // A double-click on empty space keeps the text, and says whose it is.
    ASSERT_TRUE(t.PointAt(QPoint(300, 30), ""));
    QTest::mouseDClick(t.main->画板1, Qt::LeftButton, {}, QPoint(300, 30));
    EXPECT_EQ(t.main->标签编辑框穴位名称提示->text().toStdString(),
              std::string(kImage) + "：" + kYintang + "（保留）");
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间乙");
}

// A marker added while 印堂's text is changed: asked first; the new one starts empty and saves
// into its own file.
TEST(IntroductionEditor, ANewMarkerStartsEmptyAndSavesIntoItsOwnFile) {
    for (Answer answer : {Answer::Ok, Answer::Cancel}) {
        SCOPED_TRACE(answer == Answer::Ok ? "OK" : "Cancel");
        AssembledWindow t;
        t.EditIntroduction(kYintang, QStringLiteral("改"));
        t.prompts.answers = {answer};
        t.prompts.menuChoices = {"在此添加穴位标志"};
        t.prompts.inputs = {"新"};
        ASSERT_TRUE(t.PointAt(QPoint(300, 30), ""));
        QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(300, 30));
        EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{SaveQuestion(kYintang)});
        EXPECT_EQ(t.Stored(kYintang), answer == Answer::Ok ? "印堂在两眉之间改" : "印堂在两眉之间");
        EXPECT_EQ(t.EditorText(), "");
        EXPECT_EQ(t.state.editedMarker, "300！30！新！");
        // Emptied after a save, nothing is pending; after Cancel the emptying is the change.
        EXPECT_EQ(t.main->按钮保存编辑框内容->isEnabled(), answer == Answer::Cancel);

        t.Type(QStringLiteral("新介绍"));
        t.prompts.answers = {Answer::Ok};
        EXPECT_TRUE(t.CloseByWindowSystem());
        EXPECT_EQ(t.Stored("300！30！新！"), "新介绍");
    }
}

TEST(IntroductionEditor, LimitRefusesEditsWholeAndNeverLosesText) {
    AssembledWindow t;
    WriteWholeFile(t.Marker(kHegu), IntroductionBytes(QString(4999, QChar(u'穴')).toStdString()));
    t.EditIntroduction(kHegu, QStringLiteral("a"));
    RichEdit* edit = t.main->超级编辑框1;
    EXPECT_EQ(edit->ByteLength(), 9999u);
    t.Type(QStringLiteral("穴"));
    EXPECT_EQ(edit->ByteLength(), 9999u);
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kTooLong});
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    t.Key(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->ByteLength(), 9999u);
    QApplication::clipboard()->setMimeData(new QMimeData); // what an empty clipboard gives
    t.Key(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->ByteLength(), 9999u);
    // An input method's commit over the selected "a", with the composition it ends: refused,
    // and the selection stays.
    t.Key(edit, Qt::Key_Left, Qt::ShiftModifier);
    t.Compose(edit, QStringLiteral("xue xue"));
    t.Commit(edit, QStringLiteral("穴穴"));
    EXPECT_EQ(edit->ByteLength(), 9999u);
    EXPECT_EQ(edit->textCursor().block().layout()->preeditAreaText(), QString());
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("a"));
    EXPECT_EQ(t.prompts.boxes.size(), 3u);
    EXPECT_TRUE(edit->isEnabled());
    // A character outside the Basic Plane, in one key event as the window system sends it and
    // in its two halves: refused alike.
    QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QStringLiteral("😀"), {});
    t.Type(QStringLiteral("😀"));
    EXPECT_EQ(edit->ByteLength(), 9999u);
    EXPECT_TRUE(edit->isEnabled());

    // A stored introduction that is itself too long: told once, not loaded, file untouched.
    t.prompts.answers = {Answer::Cancel};
    WriteWholeFile(t.Marker(kYintang),
                   IntroductionBytes(QString(5001, QChar(u'穴')).toStdString()));
    const std::string before = ReadWholeFile(t.Marker(kYintang));
    t.prompts.boxes.clear();
    t.Choose(kYintang);
    EXPECT_EQ(t.prompts.Texts(), (std::vector<std::string>{SaveQuestion(kHegu), kTooLong}));
    EXPECT_EQ(t.EditorText(), "");
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(ReadWholeFile(t.Marker(kYintang)), before);
}

} // namespace
