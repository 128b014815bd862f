#pragma once
// The two modal style windows: the font style window "字符格式设置" and the quick format window.
// Both are created anew at every opening, so they never show the values of their last opening.

#include "platform/qt/PlainDialog.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace penrica {

// The four effect boxes that both windows share.
struct EffectBoxes {
    QCheckBox* 选择框是否加粗 = nullptr;
    QCheckBox* 选择框是否倾斜 = nullptr;
    QCheckBox* 选择框是否下划线 = nullptr;
    QCheckBox* 选择框是否删除线 = nullptr;
};

// What both windows share: onOpened (the window's creation handler) runs each time the window
// opens, before it shows; the binding table calls the others. The opener is the window the style
// window belongs to: it stays above it and opens centred on its screen.
class StyleWindow : public PlainDialog {
    Q_OBJECT
public:
    using PlainDialog::PlainDialog;
    std::function<void()> onOpened;

    int exec() override;
};

class FontStyleWindow : public StyleWindow {
    Q_OBJECT
public:
    explicit FontStyleWindow(QWidget* opener = nullptr);

    QGroupBox* 分组框1 = nullptr;
    QLabel* 标签背景色 = nullptr;
    QComboBox* 组合框3 = nullptr;
    QLabel* 标签字体颜色 = nullptr;
    QComboBox* 组合框字符颜色 = nullptr;
    QLabel* 标签字体大小 = nullptr;
    QLineEdit* 编辑框字体大小 = nullptr;
    QLabel* 标签字体名称 = nullptr;
    QComboBox* 组合框2 = nullptr;
    EffectBoxes effects;
    QGroupBox* 分组框确定 = nullptr;
    QPushButton* 按钮确定 = nullptr;
    QPushButton* 按钮取消 = nullptr;

    std::function<void()> onOk;
    std::function<void()> onCancel;
};

class QuickFormatWindow : public StyleWindow {
    Q_OBJECT
public:
    explicit QuickFormatWindow(QWidget* opener = nullptr);

    QGroupBox* 分组框2 = nullptr;
    QRadioButton* 单选框1 = nullptr;
    QRadioButton* 单选框2 = nullptr;
    QRadioButton* 单选框3 = nullptr;
    QRadioButton* 单选框4 = nullptr;
    QGroupBox* 分组框1 = nullptr;
    QLabel* 标签字体大小 = nullptr;
    QLineEdit* 编辑框字体大小 = nullptr;
    QLabel* 标签字体颜色 = nullptr;
    QComboBox* 组合框字符颜色 = nullptr;
    QLabel* 标签字体名称 = nullptr;
    QComboBox* 组合框字体名称 = nullptr;
    EffectBoxes effects;
    QPushButton* 按钮保存 = nullptr;

    std::function<void(int number)> onRadioClicked; // 1 to 4
    std::function<void()> onSave;
};

} // namespace penrica
