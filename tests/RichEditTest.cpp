// The editor control: its byte count, its formats and its change signal.

#include "platform/qt/RichEdit.h"

#include <QTextCursor>
#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(RichEdit, ByteLengthFollowsEveryEdit) {
    penrica::RichEdit edit;
    struct Step {
        const char* insert;
        std::size_t expected;
    };
    // ASCII 1 byte, Chinese 2, a line break 2 (CR LF), an emoji 4 (GB18030).
    const Step steps[] = {{"ab", 2}, {"穴位", 6}, {"\n", 8}, {"😀", 12}};
    QTextCursor cursor(edit.document());
    for (const Step& s : steps) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromUtf8(s.insert));
        EXPECT_EQ(edit.ByteLength(), s.expected) << s.insert;
    }
    cursor.setPosition(2);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    cursor.removeSelectedText(); // "穴位"
    EXPECT_EQ(edit.ByteLength(), 8u);
    edit.SetPlainContent(QStringLiteral("一\r\n二"));
    EXPECT_EQ(edit.ByteLength(), 6u);
    EXPECT_EQ(edit.CharacterCount(), 3);
    edit.ClearContent();
    EXPECT_EQ(edit.ByteLength(), 0u);
    EXPECT_TRUE(edit.IsEmpty());
}

TEST(RichEdit, SelectionFormatRoundTrips) {
    penrica::RichEdit edit;
    edit.SetPlainContent(QStringLiteral("足三里"));
    QTextCursor cursor(edit.document());
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    penrica::CharFormat format;
    format.face = "黑体";
    format.size = 14;
    format.effects = penrica::kBold | penrica::kUnderline | penrica::kProtected;
    format.colour = 0x000000FF;
    edit.SetSelectionFormat(format);
    EXPECT_EQ(edit.SelectionFormat(), format);
    cursor.setPosition(0);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    EXPECT_EQ(edit.SelectionFormat(), penrica::CharFormat{});
}

TEST(RichEdit, ChangeSignalOnProgramEdits) {
    // Each edit of the program's is one change, whatever it replaces; emptying an empty editor
    // changes nothing.
    struct Step {
        const char* what;
        std::function<void(penrica::RichEdit&)> edit;
        int changes;
    };
    const Step steps[] = {
        {"empty an empty editor", [](penrica::RichEdit& e) { e.ClearContent(); }, 0},
        {"set text", [](penrica::RichEdit& e) { e.SetPlainContent(QStringLiteral("x")); }, 1},
        {"replace it with lines",
         [](penrica::RichEdit& e) { e.SetPlainContent(QStringLiteral("甲\r\n乙\r\n丙")); }, 1},
        {"empty it", [](penrica::RichEdit& e) { e.ClearContent(); }, 1},
    };
    penrica::RichEdit edit;
    int changes = 0;
    QObject::connect(&edit, &penrica::RichEdit::ContentChanged, [&] { ++changes; });
    for (const Step& s : steps) {
        changes = 0;
        s.edit(edit);
        EXPECT_EQ(changes, s.changes) << s.what;
    }
}

} // namespace
