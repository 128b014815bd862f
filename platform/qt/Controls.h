#pragma once
// Small control services: labels that report clicks, picture buttons, timers by period, menu
// entries by their text, combo boxes whose items are added without touching their text, and
// progress dialogs.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QSlider>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QProgressDialog;

namespace penrica {

// Gives a control its object name and its place in the parent's client area.
template <typename T> T* Named(T* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

// A timer runs while its period is above 0 and stops at 0.
void SetTimerPeriod(QTimer& timer, int milliseconds);

// A progress dialog with 取消, modal over the whole program, for the caller to show. Only a
// deliberate click on 取消, Escape or the close box cancels it: a stray Return never does. It
// neither closes nor resets itself at its maximum.
std::unique_ptr<QProgressDialog> NewProgressDialog(const QString& label, const QString& title,
                                                   QWidget& parent);

// Appends items to the drop-down list; the box's own text stays as it was.
void AddComboItems(QComboBox& box, const std::vector<std::string>& items);

// An editable drop-down list box. Its list opens wide enough for the longest item, however
// narrow the box, and on the item that matches the box's text when one does.
class DropDownBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
};

// A label that reports a left press and a double-click.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void LeftPressed();
    void DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A button drawn entirely by pictures: normal, pointed at, pressed and disabled.
class PicButton : public QAbstractButton {
    Q_OBJECT
public:
    PicButton(QPixmap normal, QPixmap hover, QPixmap pressed, QPixmap disabled,
              QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap normal_, hover_, pressed_, disabled_;
    bool hovered_ = false;
};

// A slider whose lowest rows may lie under another control: its handle, groove and tick marks
// are drawn, and take the mouse, only in its top `drawnHeight` rows.
class SliderBar : public QSlider {
    Q_OBJECT
public:
    using QSlider::QSlider;
    void SetDrawnHeight(int drawnHeight);

protected:
    void initStyleOption(QStyleOptionSlider* option) const override;

private:
    int drawnHeight_ = -1; // -1: the whole height
};

// The pictures of the scroll buttons: the word and an arrow, drawn at the given size.
enum class ArrowDirection { Left, Right };
QPixmap DrawArrowPicture(QSize size, ArrowDirection direction, const QString& word,
                         bool highlighted);

} // namespace penrica
