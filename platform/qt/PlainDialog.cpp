#include "platform/qt/PlainDialog.h"

#include <QKeyEvent>
#include <QPushButton>

namespace penrica {

void PlainDialog::setVisible(bool visible) {
    if (visible) {
        // The toolkit makes the first auto-default button the default one as the window shows.
        for (QPushButton* button : findChildren<QPushButton*>()) {
            button->setAutoDefault(false);
            button->setDefault(false);
        }
    }
    QDialog::setVisible(visible);
}

void PlainDialog::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (isReturn && plain) {
        // Buttons only: a check box or radio box is not pressed by Return.
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
            button != nullptr && !button->isCheckable() && button->isEnabled()) {
            button->click();
            event->accept();
            return;
        }
    }
    // Not QDialog's: that one closes on Escape and presses the default button on Return.
    QWidget::keyPressEvent(event);
}

} // namespace penrica
