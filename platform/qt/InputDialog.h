#pragma once
// The input box: a title, a prompt, one line to type in, 确定 and 取消. Return presses 确定 and
// Escape or the close box counts as 取消, as the system's input box does.
//
// With suggestions, a list under the line offers them as the user types: Down and Up move
// through it, and Return or a click puts the suggestion's text in the line, where a further
// Return or 确定 takes it. Only committed text is looked up: letters still composing in an input
// method are not the line's text, and the list never presses 确定 by itself.

#include "platform/qt/Prompts.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace penrica {

class InputDialog : public QDialog {
    Q_OBJECT
public:
    InputDialog(const std::string& title, const std::string& prompt, Suggestions suggest,
                QWidget* opener = nullptr);

    QLineEdit* Line() const { return line_; }
    QListWidget* List() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refill(const QString& typed);
    void Take(int row);

    Suggestions suggest_;
    QLineEdit* line_;
    QListWidget* list_;
};

} // namespace penrica
