// The editor's content as multicolour text through the real RichEdit: what the writer reads from
// the editor and what a load puts back, formats and line breaks included.

#include "introductions/EditorContent.h"
#include "platform/qt/RichEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace penrica;

void Type(RichEdit& edit, const QString& text, const CharFormat& format) {
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, RichEdit::ToQt(format));
}

TEST(EditorContent, WorkedExampleGivesItsFourRecords) {
    RichEdit edit;
    CharFormat a;
    a.face = "黑体";
    a.size = 12;
    a.effects = kBold;
    a.colour = 0x000000FF;
    Type(edit, QStringLiteral("穴"), CharFormat{});
    Type(edit, QStringLiteral("A\n"), a);
    EXPECT_EQ(WriteFormatText(ReadEditorContent(edit)).text,
              "同上<vorn>穴\r\n12<vorn>1<vorn>255<vorn>A<vorn>beifen<vorn>黑体\r\n"
              "同上<vorn>huanhang\r\n同上<vorn>\r\n");
    RichEdit empty;
    EXPECT_EQ(WriteFormatText(ReadEditorContent(empty)).text, "同上<vorn>\r\n");
}

TEST(EditorContent, EveryEffectAndColourSurvivesTheEditor) {
    RichEdit edit;
    std::vector<CharFormat> formats;
    for (std::int32_t effects : {0, 1, 2, 4, 8, 16, 31}) {
        for (std::uint32_t colour : {kAutomaticColour, 0x000000FFu, 0x00FF0000u, 0x00123456u}) {
            CharFormat f;
            f.effects = effects;
            f.colour = colour;
            f.size = 9 + effects;
            f.face = effects % 2 ? "楷体_GB2312" : "宋体";
            formats.push_back(f);
            Type(edit, QStringLiteral("字"), f);
        }
    }
    const std::string written = WriteFormatText(ReadEditorContent(edit)).text;
    RichEdit loaded;
    LoadEditorContent(loaded,
                      DecodeIntroduction(EncodeIntroduction(ReadEditorContent(edit)).bytes));
    EXPECT_EQ(WriteFormatText(ReadEditorContent(loaded)).text, written);
    const StyledText back = ReadEditorContent(loaded);
    ASSERT_EQ(back.runs.size(), formats.size());
    for (std::size_t i = 0; i < formats.size(); ++i) {
        EXPECT_EQ(back.runs[i].format, formats[i]) << i;
    }
}

TEST(EditorContent, LineBreaksAndTagTextsRoundTrip) {
    RichEdit edit;
    Type(edit, QStringLiteral("a<vorn>b\nhuanhang\n\n同上"), CharFormat{});
    const StyledText content = ReadEditorContent(edit);
    RichEdit loaded;
    LoadEditorContent(loaded, ReadFormatText(WriteFormatText(content).text));
    EXPECT_EQ(loaded.toPlainText(), edit.toPlainText());
    EXPECT_EQ(loaded.ByteLength(), edit.ByteLength());
}

// Typed with real key events, as the user types; Return makes a line break.
void KeysInto(RichEdit& edit, const QString& text) {
    for (QChar c : text) {
        const bool isBreak = c == u'\n';
        QKeyEvent press(QEvent::KeyPress, isBreak ? Qt::Key_Return : 0, Qt::NoModifier,
                        isBreak ? QStringLiteral("\r") : QString(c));
        QApplication::sendEvent(&edit, &press);
    }
}

void Style(RichEdit& edit, int from, int to, const CharFormat& format) {
    QTextCursor cursor(edit.document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    edit.SetSelectionFormat(format);
}

TEST(EditorContent, LineBreakIsStoredInItsOwnFormat) {
    const CharFormat red{"宋体", 11, 0, 0, 0x0000FF};
    const CharFormat blue{"宋体", 11, 0, 0, 0xFF0000};
    const std::string redA = "11<vorn>0<vorn>255<vorn>a<vorn>beifen<vorn>宋体\r\n";
    const std::string blueC = "11<vorn>0<vorn>16711680<vorn>c<vorn>beifen<vorn>宋体\r\n";
    struct Case {
        const char* name;
        QString typed;
        std::vector<std::tuple<int, int, CharFormat>> styles; // from, to, format, in order
        std::string written;
        CharFormat firstBreak; // what the selection of the first break alone reports
    };
    const Case cases[] = {
        {"lines in two formats",
         QStringLiteral("ab\ncd"),
         {{0, 5, red}, {3, 5, blue}},
         redA + "同上<vorn>b\r\n同上<vorn>huanhang\r\n" + blueC + "同上<vorn>d\r\n同上<vorn>\r\n",
         red},
        {"a styled break alone",
         QStringLiteral("ab\ncd"),
         {{2, 3, red}},
         "同上<vorn>a\r\n同上<vorn>b\r\n11<vorn>0<vorn>255<vorn>huanhang<vorn>beifen<vorn>宋体\r\n"
         "9<vorn>0<vorn>-16777216<vorn>c<vorn>beifen<vorn>宋体\r\n同上<vorn>d\r\n同上<vorn>\r\n",
         red},
        {"an empty line's break",
         QStringLiteral("a\n\nc"),
         {{0, 4, red}, {2, 3, blue}},
         redA + "同上<vorn>huanhang\r\n"
                "11<vorn>0<vorn>16711680<vorn>huanhang<vorn>beifen<vorn>宋体\r\n"
                "11<vorn>0<vorn>255<vorn>c<vorn>beifen<vorn>宋体\r\n同上<vorn>\r\n",
         red},
        {"a last empty line",
         QStringLiteral("a\n"),
         {{0, 2, red}, {1, 2, blue}},
         redA + "11<vorn>0<vorn>16711680<vorn>huanhang<vorn>beifen<vorn>宋体\r\n同上<vorn>\r\n",
         blue},
    };
    for (const Case& c : cases) {
        RichEdit edit;
        KeysInto(edit, c.typed);
        for (const auto& [from, to, format] : c.styles) {
            Style(edit, from, to, format);
        }
        EXPECT_EQ(WriteFormatText(ReadEditorContent(edit)).text, c.written) << c.name;
        RichEdit loaded; // and the reader puts every break back in its own format
        LoadEditorContent(loaded, ReadFormatText(c.written));
        EXPECT_EQ(WriteFormatText(ReadEditorContent(loaded)).text, c.written) << c.name;
        const int at = static_cast<int>(c.typed.indexOf(u'\n'));
        QTextCursor cursor(edit.document());
        cursor.setPosition(at);
        cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
        EXPECT_EQ(edit.SelectionFormat(), c.firstBreak) << c.name;
    }
}

} // namespace
