// Chinese as an input method types it, through the assembled window: the composition shown under
// the caret is no content, and a commit is one edit, within the byte limit.

#include "AssembledWindow.h"
#include "introductions/EditorMessages.h"

#include <QInputMethodEvent>

namespace {

using namespace penrica;

void Compose(QWidget* target, const QString& preedit) {
    QInputMethodEvent event(preedit, {});
    QApplication::sendEvent(target, &event);
}

void Commit(QWidget* target, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

TEST(InputMethod, ACompositionIsNoContentAndACommitIsOneEdit) {
    AssembledWindow t;
    t.EditIntroduction(kYintang, QString());
    RichEdit* editor = t.main->超级编辑框1;
    QPushButton* save = t.main->按钮保存编辑框内容;
    const std::string loaded = t.EditorText();
    int changes = 0;
    QObject::connect(editor, &RichEdit::ContentChanged, [&] { ++changes; });

    for (const char* preedit : {"y", "yin", "yin tang", ""}) {
        Compose(editor, QString::fromUtf8(preedit));
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(t.state.introChanged, 0);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(editor->document()->isUndoAvailable());
    EXPECT_EQ(t.EditorText(), loaded);

    Compose(editor, QStringLiteral("yintang"));
    Commit(editor, QStringLiteral("印堂"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(t.EditorText(), loaded + "印堂");
    EXPECT_EQ(t.state.introChanged, 1);
    EXPECT_TRUE(save->isEnabled());
    t.Key(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), loaded) << "one Ctrl+Z takes the whole commit back";

    editor->selectAll();
    Commit(editor, QStringLiteral("穴"));
    EXPECT_EQ(t.EditorText(), "穴") << "a commit replaces the selection";
    // A composition still open when 保存 is pressed is not stored.
    Compose(editor, QStringLiteral("zusanli"));
    t.Click(save);
    EXPECT_EQ(t.Stored(kYintang), "穴");
}

TEST(InputMethod, ACommitPastTheLimitIsRefusedWhole) {
    AssembledWindow t;
    penrica::WriteWholeFile(t.Marker(kHegu),
                            IntroductionBytes(QString(4999, QChar(u'穴')).toStdString()));
    t.EditIntroduction(kHegu, QString());
    RichEdit* editor = t.main->超级编辑框1;
    Compose(editor, QStringLiteral("yin"));
    Commit(editor, QStringLiteral("印")); // 10000 bytes: allowed
    EXPECT_EQ(editor->ByteLength(), 10000u);
    EXPECT_TRUE(t.prompts.boxes.empty());
    Compose(editor, QStringLiteral("a"));
    Commit(editor, QStringLiteral("a"));
    EXPECT_EQ(editor->ByteLength(), 10000u);
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kTooLong});
    EXPECT_TRUE(editor->isEnabled());
}

} // namespace
