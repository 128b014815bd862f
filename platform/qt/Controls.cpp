#include "platform/qt/Controls.h"

#include <QAbstractItemView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTransform>

#include <algorithm>

namespace penrica {

void SetTimerPeriod(QTimer& timer, int milliseconds) {
    if (milliseconds > 0) {
        timer.start(milliseconds);
    } else {
        timer.stop();
    }
}

std::unique_ptr<QProgressDialog> NewProgressDialog(const QString& label, const QString& title,
                                                   QWidget& parent) {
    auto dialog = std::make_unique<QProgressDialog>(label, QStringLiteral("取消"), 0, 0, &parent);
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    // QProgressDialog's own button presses on Return wherever the focus is.
    auto* cancel = new QPushButton(QStringLiteral("取消"), dialog.get());
    cancel->setAutoDefault(false);
    dialog->setCancelButton(cancel);
    return dialog;
}

void AddComboItems(QComboBox& box, const std::vector<std::string>& items) {
    const QString text = box.currentText();
    const bool blocked = box.blockSignals(true);
    for (const std::string& item : items) {
        box.addItem(QString::fromStdString(item));
    }
    if (box.isEditable()) {
        box.setEditText(text);
    }
    box.blockSignals(blocked);
}

void DropDownBox::showPopup() {
    QAbstractItemView& list = *view();
    list.setMinimumWidth(list.sizeHintForColumn(modelColumn()) + 2 * list.frameWidth() +
                         list.verticalScrollBar()->sizeHint().width());
    QComboBox::showPopup();
    const int match = findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match >= 0) {
        const QModelIndex item = model()->index(match, modelColumn(), rootModelIndex());
        list.setCurrentIndex(item);
        list.scrollTo(item, QAbstractItemView::PositionAtCenter);
    }
}

void SliderBar::SetDrawnHeight(int drawnHeight) {
    drawnHeight_ = drawnHeight;
    update();
}

void SliderBar::initStyleOption(QStyleOptionSlider* option) const {
    QSlider::initStyleOption(option);
    if (drawnHeight_ >= 0) {
        option->rect.setHeight(std::min(drawnHeight_, option->rect.height()));
    }
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit LeftPressed();
    }
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit DoubleClicked();
    }
    QLabel::mouseDoubleClickEvent(event);
}

PicButton::PicButton(QPixmap normal, QPixmap hover, QPixmap pressed, QPixmap disabled,
                     QWidget* parent)
    : QAbstractButton(parent), normal_(std::move(normal)), hover_(std::move(hover)),
      pressed_(std::move(pressed)), disabled_(std::move(disabled)) {
    setAttribute(Qt::WA_Hover);
}

QSize PicButton::sizeHint() const {
    return normal_.size();
}

void PicButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QPixmap& picture = !isEnabled() ? disabled_
                             : isDown()   ? pressed_
                             : hovered_   ? hover_
                                          : normal_;
    painter.drawPixmap((width() - picture.width()) / 2, (height() - picture.height()) / 2, picture);
}

void PicButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PicButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

QPixmap DrawArrowPicture(QSize size, ArrowDirection direction, const QString& word,
                         bool highlighted) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(highlighted ? QColor(255, 255, 255, 0) : QColor(Qt::white));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = highlighted ? QColor(0, 90, 200) : QColor(40, 40, 40);
    if (highlighted) {
        painter.setBrush(QColor(120, 180, 255, 90));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 4, 4);
    }
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal arrowTop = h * 0.12;
    const qreal arrowBottom = h * 0.52;
    const qreal mid = (arrowTop + arrowBottom) / 2;
    // The arrow points left; the right one is its mirror image.
    QPainterPath arrow;
    arrow.moveTo(w * 0.18, mid);
    arrow.lineTo(w * 0.42, arrowTop);
    arrow.lineTo(w * 0.42, mid - h * 0.08);
    arrow.lineTo(w * 0.82, mid - h * 0.08);
    arrow.lineTo(w * 0.82, mid + h * 0.08);
    arrow.lineTo(w * 0.42, mid + h * 0.08);
    arrow.lineTo(w * 0.42, arrowBottom);
    if (direction == ArrowDirection::Right) {
        arrow = QTransform(-1, 0, 0, 1, w, 0).map(arrow);
    }
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(arrow);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(std::max(8, static_cast<int>(h * 0.36)));
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(0, h * 0.55, w, h * 0.45), Qt::AlignHCenter | Qt::AlignVCenter, word);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace penrica
