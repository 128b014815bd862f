#include "platform/qt/RichEdit.h"

#include "platform/core/TextCodec.h"
#include "platform/qt/Colours.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace penrica {

namespace {

// Properties that keep the stored values exactly, even where Qt's font cannot show them.
constexpr int kProtectedProperty = QTextFormat::UserProperty + 1;
constexpr int kSizeProperty = QTextFormat::UserProperty + 2;
constexpr int kFaceProperty = QTextFormat::UserProperty + 3;

std::uint8_t UnitBytes(QChar unit) {
    const char16_t c = unit.unicode();
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n') {
        return 2;
    }
    if (QChar::isSurrogate(c)) {
        return 2; // a pair is four bytes in GB18030
    }
    return static_cast<std::uint8_t>(GbkCodePointLength(c));
}

} // namespace

RichEdit::RichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(true);
    const CharFormat defaults;
    QFont font(QString::fromStdString(defaults.face));
    font.setPointSize(defaults.size);
    document()->setDefaultFont(font);
    setCurrentCharFormat(ToQt(defaults));
    connect(document(), &QTextDocument::contentsChange, this, &RichEdit::OnContentsChange);
}

CharFormat RichEdit::FromQt(const QTextCharFormat& qt) {
    CharFormat format;
    if (qt.hasProperty(kFaceProperty)) {
        format.face = qt.stringProperty(kFaceProperty).toStdString();
    } else {
        QStringList families = qt.fontFamilies().toStringList();
        if (!families.isEmpty()) {
            format.face = families.first().toStdString();
        }
    }
    if (qt.hasProperty(kSizeProperty)) {
        format.size = qt.intProperty(kSizeProperty);
    } else if (qt.fontPointSize() > 0) {
        format.size = static_cast<std::int32_t>(qt.fontPointSize());
    }
    std::int32_t effects = 0;
    if (qt.fontWeight() >= QFont::Bold) {
        effects |= kBold;
    }
    if (qt.fontItalic()) {
        effects |= kItalic;
    }
    if (qt.fontUnderline()) {
        effects |= kUnderline;
    }
    if (qt.fontStrikeOut()) {
        effects |= kStrikeout;
    }
    if (qt.boolProperty(kProtectedProperty)) {
        effects |= kProtected;
    }
    format.effects = effects;
    if (qt.hasProperty(QTextFormat::ForegroundBrush) && qt.foreground().style() != Qt::NoBrush) {
        format.colour = FromQColor(qt.foreground().color());
    }
    return format;
}

QTextCharFormat RichEdit::ToQt(const CharFormat& format) {
    QTextCharFormat qt;
    const QString face = QString::fromStdString(format.face);
    qt.setFontFamilies(QStringList{face});
    qt.setProperty(kFaceProperty, face);
    // Qt cannot show sizes below 1 point or above its limit; the stored value is kept apart.
    qt.setFontPointSize(std::clamp(format.size, 1, 1638));
    qt.setProperty(kSizeProperty, format.size);
    qt.setFontWeight((format.effects & kBold) ? QFont::Bold : QFont::Normal);
    qt.setFontItalic((format.effects & kItalic) != 0);
    qt.setFontUnderline((format.effects & kUnderline) != 0);
    qt.setFontStrikeOut((format.effects & kStrikeout) != 0);
    qt.setProperty(kProtectedProperty, (format.effects & kProtected) != 0);
    if (format.colour == kAutomaticColour) {
        qt.clearForeground();
    } else {
        qt.setForeground(ToQColor(format.colour & 0xFFFFFF));
    }
    return qt;
}

CharFormat RichEdit::SelectionFormat() const {
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        return FromQt(currentCharFormat());
    }
    return CharacterFormat(cursor.selectionStart());
}

CharFormat RichEdit::CharacterFormat(int position) const {
    const QTextBlock block = document()->findBlock(position);
    if (position == block.position() + block.length() - 1 && block.next().isValid()) {
        // A cursor after a line break reports the next line's first character. Qt keeps the
        // break's own format as the format of the block that it opens.
        return FromQt(block.next().charFormat());
    }
    // Qt reports the format of the character before the cursor's position.
    QTextCursor after(document());
    after.setPosition(position + 1);
    return FromQt(after.charFormat());
}

void RichEdit::SetSelectionFormat(const CharFormat& format) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        cursor.setCharFormat(ToQt(format));
    }
    setCurrentCharFormat(ToQt(format));
}

void RichEdit::SetBackgroundColour(std::uint32_t colour) {
    QPalette p = palette();
    if (colour == kAutomaticColour) {
        p.setColor(QPalette::Base, QApplication::palette().color(QPalette::Base));
    } else {
        p.setColor(QPalette::Base, ToQColor(colour & 0xFFFFFF));
    }
    setPalette(p);
}

int RichEdit::CharacterCount() const {
    return document()->characterCount() - 1;
}

void RichEdit::SetPlainContent(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setCharFormat(ToQt(CharFormat{}));
    cursor.insertText(plain, ToQt(CharFormat{}));
    cursor.endEditBlock();
}

void RichEdit::ClearContent() {
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
}

void RichEdit::ForgetUndoHistory() {
    document()->clearUndoRedoStacks();
    EndUndoStep();
}

void RichEdit::EndUndoStep() {
    // The document merges a typed insertion into the step before it only while it is modified.
    document()->setModified(false);
}

void RichEdit::OnContentsChange(int position, int removed, int added) {
    const int units = CharacterCount();
    // Qt counts the document's closing separator in some notifications; clamp to real text.
    const int oldSize = static_cast<int>(unitBytes_.size());
    position = std::clamp(position, 0, oldSize);
    removed = std::clamp(removed, 0, oldSize - position);
    added = units - (oldSize - removed);
    if (added < 0 || position + added > units) {
        RebuildByteTable();
    } else {
        for (int i = position; i < position + removed; ++i) {
            byteLength_ -= unitBytes_[i];
        }
        unitBytes_.erase(unitBytes_.begin() + position, unitBytes_.begin() + position + removed);
        std::vector<std::uint8_t> inserted;
        inserted.reserve(static_cast<std::size_t>(added));
        QTextCursor cursor(document());
        cursor.setPosition(position);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        const QString text = cursor.selectedText();
        for (QChar c : text) {
            inserted.push_back(UnitBytes(c));
            byteLength_ += inserted.back();
        }
        inserted.resize(static_cast<std::size_t>(added), 1);
        unitBytes_.insert(unitBytes_.begin() + position, inserted.begin(), inserted.end());
    }
    if (!composing_) {
        emit ContentChanged();
    }
}

void RichEdit::RebuildByteTable() {
    unitBytes_.clear();
    byteLength_ = 0;
    const QString text = document()->toPlainText();
    for (QChar c : text) {
        unitBytes_.push_back(UnitBytes(c));
        byteLength_ += unitBytes_.back();
    }
}

std::size_t RichEdit::ByteLengthOf(const QString& text) {
    std::size_t bytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        // CR LF is one line break of two bytes, as is a lone separator.
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue;
        }
        bytes += UnitBytes(text[i]);
    }
    return bytes;
}

bool RichEdit::FitsLimit(const QString& text) {
    const QTextCursor cursor = textCursor();
    return FitsLimit(text, cursor.selectionStart(), cursor.selectionEnd());
}

bool RichEdit::FitsLimit(const QString& text, int from, int to) {
    if (byteLimit_ == 0) {
        return true;
    }
    std::size_t selected = 0;
    const int end = std::min(to, static_cast<int>(unitBytes_.size()));
    for (int i = std::max(from, 0); i < end; ++i) {
        selected += unitBytes_[static_cast<std::size_t>(i)];
    }
    if (byteLength_ - selected + ByteLengthOf(text) <= byteLimit_) {
        return true;
    }
    if (onLimitRefused) {
        onLimitRefused();
    }
    return false;
}

void RichEdit::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Y redoes, as in the Windows rich-edit control, besides the system's own redo key.
    if (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier) {
        redo();
        event->accept();
        return;
    }
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typed = QStringLiteral("\n");
    }
    // Judged by the whole character: one outside the Basic Plane (😀) comes as two halves,
    // neither printable alone, and went in unchecked.
    const char32_t first = typed.isEmpty() ? 0 : typed.toUcs4().front();
    const bool inserts = !typed.isEmpty() &&
                         (typed == QStringLiteral("\n") || QChar::isPrint(first) || first == U'\t');
    if (inserts && !FitsLimit(typed)) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    // A commit replaces the text it names around the caret, or else the selection.
    const QTextCursor cursor = textCursor();
    const int from = event->replacementLength() > 0 ? cursor.position() + event->replacementStart()
                                                    : cursor.selectionStart();
    const int to =
        event->replacementLength() > 0 ? from + event->replacementLength() : cursor.selectionEnd();
    if (!commit.isEmpty() && !FitsLimit(commit, from, to)) {
        // The commit is refused whole, and the composition it ends goes with it; what it would
        // have replaced stays selected.
        QInputMethodEvent cleared;
        PassToInputMethodHandling(cleared);
        QTextCursor kept = textCursor();
        kept.setPosition(from);
        kept.setPosition(to, QTextCursor::KeepAnchor);
        setTextCursor(kept);
        event->accept();
        return;
    }
    if (!commit.isEmpty()) {
        EndUndoStep(); // one Ctrl+Z takes the whole commit back, and only it
    }
    // The composition shown under the caret is no content: only a change of the text itself,
    // which a commit makes, is a change, and a commit is one.
    const QString before = toPlainText();
    PassToInputMethodHandling(*event);
    if (toPlainText() != before) {
        emit ContentChanged();
    }
}

void RichEdit::PassToInputMethodHandling(QInputMethodEvent& event) {
    composing_ = true;
    QTextEdit::inputMethodEvent(&event);
    composing_ = false;
}

void RichEdit::insertFromMimeData(const QMimeData* source) {
    // An empty clipboard (nothing copied yet, or the program that filled it has ended) hands
    // over data of no format, which Qt 6.4's own paste reads past the end of.
    if (source == nullptr || source->formats().isEmpty()) {
        return;
    }
    QString text;
    if (source->hasHtml() && acceptRichText()) {
        text = QTextDocumentFragment::fromHtml(source->html()).toPlainText();
    } else if (source->hasText()) {
        text = source->text();
    }
    if (!FitsLimit(text)) {
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

void RichEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && onRightPress) {
        const QPoint p = event->position().toPoint();
        onRightPress(p.x(), p.y());
        return;
    }
    QTextEdit::mousePressEvent(event);
}

void RichEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The program shows its own popup menu on the right button; Qt's standard one never shows.
    event->accept();
}

} // namespace penrica
