#include "styling/StyleWindows.h"

#include "platform/qt/Controls.h"

#include "platform/qt/Colours.h"
#include "platform/qt/WindowFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace penrica {

int StyleWindow::exec() {
    if (onOpened) {
        onOpened();
    }
    return QDialog::exec();
}

namespace {

QLabel* BlackLabel(QWidget* parent, const char* text, const char* name, int x, int y, int w,
                   int h) {
    QLabel* label = Named(new QLabel(QString::fromUtf8(text), parent), name, x, y, w, h);
    SetColour(*label, ColourRole::Text, 0x000000);
    return label;
}

QComboBox* EditableCombo(QWidget* parent, const char* name, int x, int y, int w, int h,
                         const char* text) {
    QComboBox* box = Named(new DropDownBox(parent), name, x, y, w, h);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // No completion: with the whole text selected, Qt's inline completion would take Return as
    // accepting the list's first item in place of the text shown.
    box->setCompleter(nullptr);
    box->setEditText(QString::fromUtf8(text));
    return box;
}

// The effect boxes sit at the same places in both windows.
EffectBoxes CreateEffectBoxes(QWidget* parent) {
    EffectBoxes boxes;
    boxes.选择框是否加粗 = Named(new QCheckBox(QStringLiteral("选是否加粗"), parent),
                                 "选择框是否加粗", 16, 88, 80, 16);
    boxes.选择框是否倾斜 =
        Named(new QCheckBox(QStringLiteral("是否倾斜"), parent), "选择框是否倾斜", 112, 88, 72, 16);
    boxes.选择框是否下划线 = Named(new QCheckBox(QStringLiteral("是否下划线"), parent),
                                   "选择框是否下划线", 200, 88, 80, 16);
    boxes.选择框是否删除线 = Named(new QCheckBox(QStringLiteral("是否删除线"), parent),
                                   "选择框是否删除线", 312, 88, 80, 16);
    return boxes;
}

// A click runs the handler bound at the time of the click, if any.
void OnClick(QAbstractButton* button, QObject* context, const std::function<void()>& handler) {
    QObject::connect(button, &QAbstractButton::clicked, context, [&handler] {
        if (handler) {
            handler();
        }
    });
}

void Cyan(QWidget& widget) {
    SetColour(widget, ColourRole::Background, 0x00FFFF00);
    SetColour(widget, ColourRole::ButtonFace, 0x00FFFF00);
}

} // namespace

FontStyleWindow::FontStyleWindow(QWidget* opener) : StyleWindow(opener) {
    setObjectName(QStringLiteral("字符格式设置"));
    setWindowTitle(QStringLiteral("字符格式设置"));
    分组框1 = Named(new QGroupBox(this), "分组框1", 48, 16, 424, 120);
    标签背景色 = BlackLabel(分组框1, "背景色（临时）", "标签背景色", 8, 16, 88, 24);
    组合框3 = EditableCombo(分组框1, "组合框3", 96, 16, 120, 20, "#白色");
    标签字体颜色 = BlackLabel(分组框1, "字体颜色", "标签字体颜色", 248, 16, 48, 24);
    组合框字符颜色 = EditableCombo(分组框1, "组合框字符颜色", 304, 16, 112, 20, "#黑色");
    标签字体大小 = BlackLabel(分组框1, "字体大小", "标签字体大小", 40, 48, 48, 24);
    编辑框字体大小 =
        Named(new QLineEdit(QStringLiteral("9"), 分组框1), "编辑框字体大小", 96, 48, 48, 24);
    标签字体名称 = BlackLabel(分组框1, "字体名称", "标签字体名称", 216, 56, 48, 16);
    组合框2 = EditableCombo(分组框1, "组合框2", 272, 56, 144, 20, "宋体");
    effects = CreateEffectBoxes(分组框1);
    分组框确定 = Named(new QGroupBox(this), "分组框确定", 32, 144, 136, 48);
    按钮确定 = Named(new QPushButton(QStringLiteral("确定"), 分组框确定), "按钮确定", 8, 8, 56, 32);
    按钮取消 =
        Named(new QPushButton(QStringLiteral("取消"), 分组框确定), "按钮取消", 72, 8, 48, 32);
    SetUpFixedWindow(*this, ClientSize(489, 276), MinimiseBox::No);

    OnClick(按钮确定, this, onOk);
    OnClick(按钮取消, this, onCancel);
}

QuickFormatWindow::QuickFormatWindow(QWidget* opener) : StyleWindow(opener) {
    setObjectName(QStringLiteral("快捷字符格式"));
    SetNoTitle(*this);
    分组框2 = Named(new QGroupBox(this), "分组框2", 8, 136, 424, 48);
    Cyan(*分组框2);
    单选框1 =
        Named(new QRadioButton(QStringLiteral("字符格式1"), 分组框2), "单选框1", 24, 16, 80, 24);
    单选框2 =
        Named(new QRadioButton(QStringLiteral("字符格式2"), 分组框2), "单选框2", 112, 16, 80, 24);
    单选框3 =
        Named(new QRadioButton(QStringLiteral("字符格式3"), 分组框2), "单选框3", 208, 16, 80, 24);
    单选框4 =
        Named(new QRadioButton(QStringLiteral("字符格式4"), 分组框2), "单选框4", 320, 16, 80, 24);
    for (QRadioButton* radio : {单选框1, 单选框2, 单选框3, 单选框4}) {
        Cyan(*radio);
    }
    分组框1 = Named(new QGroupBox(this), "分组框1", 8, 8, 424, 120);
    分组框1->hide();
    标签字体大小 = BlackLabel(分组框1, "字体大小", "标签字体大小", 64, 16, 48, 24);
    编辑框字体大小 = Named(new QLineEdit(分组框1), "编辑框字体大小", 128, 16, 48, 24);
    标签字体颜色 = BlackLabel(分组框1, "字体颜色", "标签字体颜色", 248, 16, 48, 24);
    组合框字符颜色 = EditableCombo(分组框1, "组合框字符颜色", 304, 16, 112, 20, "");
    标签字体名称 = BlackLabel(分组框1, "字体名称", "标签字体名称", 216, 56, 48, 16);
    组合框字体名称 = EditableCombo(分组框1, "组合框字体名称", 272, 56, 144, 20, "");
    effects = CreateEffectBoxes(分组框1);
    按钮保存 = Named(new QPushButton(QStringLiteral("保存"), this), "按钮保存", 440, 56, 64, 32);
    按钮保存->setEnabled(false);
    SetUpFixedWindow(*this, ClientSize(524, 250), MinimiseBox::No);

    int number = 1;
    for (QRadioButton* radio : {单选框1, 单选框2, 单选框3, 单选框4}) {
        connect(radio, &QRadioButton::clicked, this, [this, number] {
            if (onRadioClicked) {
                onRadioClicked(number);
            }
        });
        ++number;
    }
    OnClick(按钮保存, this, onSave);
}

} // namespace penrica
