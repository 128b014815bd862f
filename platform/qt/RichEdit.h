#pragma once
// The introduction editor's control: a QTextEdit that speaks CharFormat, counts its text in GBK
// bytes (a line break counts 2, as CR LF) and reports every change of its content, the
// program's own changes included, through ContentChanged; an input method's composition is
// no change until it is committed.
//
// The byte count is kept up to date from Qt's change notifications, one per-character table that
// is patched where the change happened. Only a notification whose numbers do not fit the table
// makes it rescan the whole document.

#include "platform/core/CharFormat.h"

#include <QTextEdit>

#include <cstdint>
#include <functional>
#include <vector>

namespace penrica {

class RichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichEdit(QWidget* parent = nullptr);

    // The format of the selection; with an empty selection, the format at the caret. A property
    // that Qt leaves unset reads as the default CharFormat's.
    CharFormat SelectionFormat() const;
    // The format the editor holds for the character at `position`, a line break included.
    CharFormat CharacterFormat(int position) const;
    // Sets every attribute at once. With an empty selection it applies to the text typed next.
    void SetSelectionFormat(const CharFormat& format);

    // The whole control's background; kAutomaticColour selects the system's window colour.
    void SetBackgroundColour(std::uint32_t colour);

    // Length of the whole text in GBK bytes.
    std::size_t ByteLength() const { return byteLength_; }
    // Number of character positions (a line break is one).
    int CharacterCount() const;
    bool IsEmpty() const { return CharacterCount() == 0; }

    // Replaces the whole content by plain text in the default format ("\r\n" or "\n" breaks).
    void SetPlainContent(const QString& text);
    void ClearContent();
    // After the program loads or empties the content: Ctrl+Z then reaches only the user's own
    // edits from here on.
    void ForgetUndoHistory();
    // Ends the current undo step, so that the next typing is a step of its own and never merges
    // into the edit before it.
    void EndUndoStep();

    static CharFormat FromQt(const QTextCharFormat& format);
    static QTextCharFormat ToQt(const CharFormat& format);

    std::function<void(int x, int y)> onRightPress;

    // GBK bytes of a text as the editor would hold it (a line break counts 2).
    static std::size_t ByteLengthOf(const QString& text);
    // Typing, pasting and dropping that would take the content above `limit` bytes do not
    // happen at all; onLimitRefused runs once for each refused edit. 0 means no limit.
    void SetByteLimit(std::size_t limit) { byteLimit_ = limit; }
    std::function<void()> onLimitRefused;

signals:
    void ContentChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void OnContentsChange(int position, int removed, int added);
    void RebuildByteTable();
    // True when replacing the selection (or the document's positions [from, to)) by `text`
    // stays within the limit; tells when not.
    bool FitsLimit(const QString& text);
    bool FitsLimit(const QString& text, int from, int to);
    // Qt's own handling of an input method event, which reports the composition's every update
    // as a change of the document; ContentChanged waits meanwhile.
    void PassToInputMethodHandling(QInputMethodEvent& event);
    bool composing_ = false;
    std::size_t byteLimit_ = 0;

    std::vector<std::uint8_t> unitBytes_; // GBK bytes of each UTF-16 unit of the document
    std::size_t byteLength_ = 0;
};

} // namespace penrica
