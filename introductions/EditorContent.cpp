#include "introductions/EditorContent.h"

#include "platform/core/TextCodec.h"
#include "platform/qt/RichEdit.h"

#include <QTextBlock>
#include <QTextDocument>

namespace penrica {

StyledText ReadEditorContent(const RichEdit& editor) {
    StyledText content;
    const QTextDocument& document = *editor.document();
    std::optional<CharFormat> last;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) {
                continue;
            }
            QString text = fragment.text();
            // Soft line breaks inside a block are line breaks too.
            text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
            const CharFormat format = RichEdit::FromQt(fragment.charFormat());
            content.runs.push_back({text.toStdString(), format});
            last = format;
        }
        if (block.next().isValid()) {
            const CharFormat own = editor.CharacterFormat(block.position() + block.length() - 1);
            content.runs.push_back({"\r\n", own});
            last = own;
        }
    }
    content.endFormat = last ? *last : RichEdit::FromQt(editor.currentCharFormat());
    return content;
}

void LoadEditorContent(RichEdit& editor, const StyledText& content) {
    QTextCursor cursor(editor.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    for (const StyledRun& run : content.runs) {
        QString text = QString::fromStdString(run.text);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QTextCharFormat format = RichEdit::ToQt(run.format);
        cursor.insertText(text, format);
    }
    cursor.endEditBlock();
    editor.EndUndoStep();
    editor.setCurrentCharFormat(RichEdit::ToQt(content.endFormat));
}

std::size_t ContentByteLength(const StyledText& content) {
    QString text;
    for (const StyledRun& run : content.runs) {
        text += QString::fromStdString(run.text);
    }
    return RichEdit::ByteLengthOf(text);
}

} // namespace penrica
