#include "platform/qt/InputDialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace penrica {

namespace {
constexpr int kLineWidth = 300;
constexpr int kShownSuggestions = 10;
} // namespace

InputDialog::InputDialog(const std::string& title, const std::string& prompt, Suggestions suggest,
                         QWidget* opener)
    : QDialog(opener), suggest_(std::move(suggest)), line_(new QLineEdit(this)),
      list_(new QListWidget(this)) {
    setWindowTitle(QString::fromStdString(title));
    auto* layout = new QVBoxLayout(this);
    // The box grows under the line while suggestions show, and shrinks back when they go.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new QLabel(QString::fromStdString(prompt), this));
    line_->setMinimumWidth(kLineWidth);
    layout->addWidget(line_);
    // The focus stays in the line: the list is moved from there and clicked.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setObjectName(QStringLiteral("名称建议"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    list_->hide();
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (suggest_) {
        // textEdited comes for typing and for an input method's commit, never for the
        // program's own setText or for letters still composing.
        connect(line_, &QLineEdit::textEdited, this, &InputDialog::Refill);
        connect(list_, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { Take(list_->row(item)); });
        line_->installEventFilter(this);
        // A double-click on a suggestion: the first click takes it and the box shrinks, so the
        // second may land on 确定. A button's double-click presses nothing; its first click
        // already did.
        for (QAbstractButton* button : buttons->buttons()) {
            button->installEventFilter(this);
        }
    }
}

void InputDialog::Refill(const QString& typed) {
    list_->clear();
    for (const Suggestion& suggestion : suggest_(typed.toStdString())) {
        auto* item = new QListWidgetItem(QString::fromStdString(suggestion.shown), list_);
        item->setData(Qt::UserRole, QString::fromStdString(suggestion.text));
    }
    list_->setCurrentRow(-1);
    list_->setVisible(list_->count() > 0);
    if (list_->count() > 0) {
        const int rows = std::min(list_->count(), kShownSuggestions);
        list_->setFixedHeight(rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth());
    }
}

void InputDialog::Take(int row) {
    if (row < 0 || row >= list_->count()) {
        return;
    }
    line_->setText(list_->item(row)->data(Qt::UserRole).toString());
    list_->clear();
    list_->hide();
}

bool InputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != line_) {
        return event->type() == QEvent::MouseButtonDblClick || QDialog::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress || !list_->isVisible()) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const int row = list_->currentRow();
    switch (key->key()) {
    case Qt::Key_Down:
        list_->setCurrentRow(std::min(row + 1, list_->count() - 1));
        return true;
    case Qt::Key_Up:
        list_->setCurrentRow(std::max(row - 1, 0));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Return takes the box only when no suggestion is chosen.
        if (row >= 0) {
            Take(row);
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace penrica
