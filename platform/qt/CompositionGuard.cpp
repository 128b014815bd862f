#include "platform/qt/CompositionGuard.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextEdit>

namespace penrica {

namespace {

// The line edit that holds a box's text: an editable combo box passes its events on to its own.
QLineEdit* LineEditOf(QWidget* box) {
    if (auto* combo = qobject_cast<QComboBox*>(box)) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(box);
}

} // namespace

CompositionGuard::CompositionGuard(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

void CompositionGuard::Drop() {
    const QPointer<QWidget> box = composing_;
    if (!box) {
        return;
    }
    composing_ = nullptr;
    dropping_ = true;
    // Some input methods (fcitx) commit the composition to the focused box while resetting,
    // others (ibus) forget it silently: the filter below swallows such a commit, and the empty
    // event after it takes the composition off the box either way.
    QGuiApplication::inputMethod()->reset();
    if (box) {
        QInputMethodEvent cleared;
        QCoreApplication::sendEvent(box, &cleared);
        if (setAside_) {
            Reselect(box, *setAside_);
        }
    }
    setAside_.reset();
    dropping_ = false;
}

bool CompositionGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (dropping_) {
            return !input->commitString().isEmpty();
        }
        if (watched->isWidgetType() && !delivering_) {
            return OnInputMethod(static_cast<QWidget*>(watched), *input);
        }
        break;
    }
    // While letters compose, their box takes keys only through the input method: a key the
    // input method passes on (Ctrl+A, Shift+Left, Ctrl+Z) would select or change the text under
    // the composition, and Qt's boxes delete a selection at the composition's next update.
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return composing_ && watched == composing_;
    // Seen by the window before its widgets: a press gives the focus to the control under the
    // mouse, and a window about to lose the focus takes it from its box; both would commit.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::FocusAboutToChange:
        if (watched->isWindowType()) {
            Drop();
        }
        break;
    default:
        break;
    }
    return false;
}

// True when the guard has delivered the event itself.
bool CompositionGuard::OnInputMethod(QWidget* box, QInputMethodEvent& event) {
    const bool composes = !event.preeditString().isEmpty();
    const bool commits = !event.commitString().isEmpty();
    if (box != composing_) {
        setAside_ = composes && !commits ? SetSelectionAside(box) : std::nullopt;
    }
    composing_ = composes ? box : nullptr;
    if (!setAside_ || (composes && !commits)) {
        return false;
    }
    const Range selection = *setAside_;
    setAside_.reset();
    if (commits) {
        // The caret sits at the selection's start all through the composition.
        if (event.replacementLength() == 0) {
            event.setCommitString(event.commitString(), 0, selection.length);
        }
        return false;
    }
    delivering_ = true;
    QCoreApplication::sendEvent(box, &event);
    delivering_ = false;
    Reselect(box, selection);
    return true;
}

std::optional<CompositionGuard::Range> CompositionGuard::SetSelectionAside(QWidget* box) {
    if (QLineEdit* line = LineEditOf(box); line && line->hasSelectedText()) {
        const Range selection{line->selectionStart(), line->selectionLength()};
        line->setCursorPosition(selection.start);
        return selection;
    }
    if (auto* text = qobject_cast<QTextEdit*>(box); text && text->textCursor().hasSelection()) {
        QTextCursor cursor = text->textCursor();
        const Range selection{cursor.selectionStart(),
                              cursor.selectionEnd() - cursor.selectionStart()};
        cursor.setPosition(selection.start);
        text->setTextCursor(cursor);
        return selection;
    }
    return std::nullopt;
}

void CompositionGuard::Reselect(QWidget* box, Range range) {
    if (QLineEdit* line = LineEditOf(box)) {
        line->setSelection(range.start, range.length);
    } else if (auto* text = qobject_cast<QTextEdit*>(box)) {
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(range.start);
        cursor.setPosition(range.start + range.length, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
    }
}

} // namespace penrica
