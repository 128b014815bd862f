// Chinese as an input method types it, through the assembled window: the composition shown under
// the caret is no content, a commit is one edit, and letters still composing when the user turns
// away are dropped. (The byte limit's refusal of a commit is with the editor's other limits.)

#include "AssembledWindow.h"

#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>

namespace {

using namespace penrica;

// Stands in for an input method such as fcitx or ibus, which commits an open composition as it
// stands when the focus is about to leave its box.
class CommitsWhenTheFocusMoves : public QObject {
public:
    CommitsWhenTheFocusMoves() { QApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::InputMethod && !committing_) {
            preedit_ = static_cast<QInputMethodEvent*>(event)->preeditString();
            box_ = preedit_.isEmpty() ? nullptr : qobject_cast<QWidget*>(watched);
        } else if (event->type() == QEvent::FocusAboutToChange && box_ && watched == box_) {
            committing_ = true;
            AssembledWindow::Commit(box_, preedit_);
            committing_ = false;
            box_ = nullptr;
        }
        return false;
    }

private:
    QPointer<QWidget> box_;
    QString preedit_;
    bool committing_ = false;
};

QString ShownComposition(RichEdit* editor) {
    return editor->textCursor().block().layout()->preeditAreaText();
}

// Whatever the user turns to while pinyin letters are still composing, the letters are dropped,
// not committed: no file, no search and no box gets them.
TEST(InputMethod, LettersStillComposingAreDroppedWhenTheUserTurnsAway) {
    struct Case {
        const char* turn;
        std::function<void(AssembledWindow&)> act;
    };
    const std::vector<Case> cases = {
        {"保存", [](AssembledWindow& t) { t.PressThroughWindow(t.main->按钮保存编辑框内容); }},
        {"a thumbnail, then 保存",
         [](AssembledWindow& t) {
             t.PressThroughWindow(t.main->画板列表条, QPoint(20, 20));
             t.Click(t.main->按钮保存编辑框内容);
         }},
        {"a double-click on another marker",
         [](AssembledWindow& t) {
             ASSERT_TRUE(t.PointAt(kHegu));
             t.PressThroughWindow(t.main->画板1, QPoint(200, 150), 2);
         }},
        {"another window, then closing",
         [](AssembledWindow& t) {
             QWidget other;
             other.show();
             other.activateWindow();
             EXPECT_TRUE(QTest::qWaitFor([&] { return other.isActiveWindow(); }, 2000));
             EXPECT_TRUE(t.CloseByWindowSystem());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.turn);
        AssembledWindow t;
        CommitsWhenTheFocusMoves inputMethod;
        t.main->activateWindow();
        t.EditIntroduction(kYintang, QStringLiteral("穴"));
        RichEdit* editor = t.main->超级编辑框1;
        editor->setFocus();
        t.Compose(editor, QStringLiteral("zu san li"));
        c.act(t);
        EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间穴");
        EXPECT_TRUE(ShownComposition(editor).isEmpty());
    }

    // The search box: 查找穴位 searches the committed 印 only.
    AssembledWindow t;
    CommitsWhenTheFocusMoves inputMethod;
    t.main->activateWindow();
    QLineEdit* search = t.main->编辑框查找穴位;
    search->setFocus();
    t.Commit(search, QStringLiteral("印"));
    search->selectAll(); // a composition over the selection keeps it until a commit
    t.Compose(search, QStringLiteral("tang"));
    t.PressThroughWindow(t.main->按钮查找穴位);
    EXPECT_EQ(search->text(), QStringLiteral("印"));
    ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1);
    EXPECT_EQ(t.main->超级列表框1->topLevelItem(0)->text(0), QStringLiteral("印堂"));
    search->setFocus();
    search->selectAll();
    t.Compose(search, QStringLiteral("he gu"));
    EXPECT_EQ(search->text(), QStringLiteral("印"));
    t.Commit(search, QStringLiteral("合谷"));
    EXPECT_EQ(search->text(), QStringLiteral("合谷"));
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
        t.Compose(editor, QString::fromUtf8(preedit));
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(t.state.introChanged, 0);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(editor->document()->isUndoAvailable());
    EXPECT_EQ(t.EditorText(), loaded);

    t.Compose(editor, QStringLiteral("yintang"));
    t.Commit(editor, QStringLiteral("印堂"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(t.EditorText(), loaded + "印堂");
    EXPECT_EQ(t.state.introChanged, 1);
    EXPECT_TRUE(save->isEnabled());
    t.Key(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), loaded) << "one Ctrl+Z takes the whole commit back";

    // A composition over a selection leaves it in place, and a cancel gives it back. The keys
    // an input method passes on while letters compose select nothing and change nothing.
    editor->selectAll();
    const int changed = changes;
    t.Compose(editor, QStringLiteral("xue"));
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Z, Qt::Key_X}) {
        t.Key(editor, key, Qt::ControlModifier);
    }
    t.Key(editor, Qt::Key_Left, Qt::ShiftModifier);
    t.Compose(editor, QStringLiteral("xue a"));
    EXPECT_EQ(t.EditorText(), loaded);
    EXPECT_EQ(changes, changed);
    t.Compose(editor, QString());
    EXPECT_EQ(editor->textCursor().selectedText().size(), editor->toPlainText().size());
    // Its commit replaces the selection, one edit.
    t.Compose(editor, QStringLiteral("xue"));
    t.Commit(editor, QStringLiteral("穴"));
    EXPECT_EQ(t.EditorText(), "穴");
    t.Key(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), loaded) << "one Ctrl+Z takes back the replacing commit";
    // A commit that goes on composing replaces the selection as well.
    editor->selectAll();
    t.Compose(editor, QStringLiteral("xue zu"));
    QInputMethodEvent goesOn(QStringLiteral("zu"), {});
    goesOn.setCommitString(QStringLiteral("穴"));
    QApplication::sendEvent(editor, &goesOn);
    EXPECT_EQ(t.EditorText(), "穴");
    // A composition still open when 保存 is pressed is not stored.
    t.Compose(editor, QStringLiteral("zusanli"));
    t.Click(save);
    EXPECT_EQ(t.Stored(kYintang), "穴");
}

} // namespace
