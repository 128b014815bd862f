#pragma once
// A modal window that behaves like the program's own windows rather than a toolkit dialog: no key
// closes it, and no button is pressed from another control. Escape does nothing; Return and Enter
// press only the button (push or picture button) that has the focus, as Space does. No button is
// ever a default button. Closing goes through the close box (closeEvent) alone.

#include <QDialog>

namespace penrica {

class PlainDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace penrica
