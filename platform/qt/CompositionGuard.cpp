#include "platform/qt/CompositionGuard.h"

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QWidget>

namespace penrica {

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
    }
    dropping_ = false;
}

bool CompositionGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::InputMethod: {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (dropping_) {
            return !input->commitString().isEmpty();
        }
        if (watched->isWidgetType()) {
            composing_ =
                input->preeditString().isEmpty() ? nullptr : static_cast<QWidget*>(watched);
        }
        break;
    }
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

} // namespace penrica
