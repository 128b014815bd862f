#include "styling/StyleFlows.h"

#include "platform/core/TextRules.h"
#include "platform/qt/Controls.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Prompts.h"
#include "platform/qt/RichEdit.h"
#include "styling/StyleWindows.h"
#include "styling/core/ColourNames.h"
#include "styling/core/QuickFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace penrica {

namespace {

std::vector<std::string> ColourNameList() {
    return SplitText(ColourNameText(), "\r\n");
}

std::string TextOf(const QComboBox& box) {
    return box.currentText().toStdString();
}

int EffectsOf(const EffectBoxes& boxes) {
    return (boxes.选择框是否加粗->isChecked() ? kBold : 0) |
           (boxes.选择框是否倾斜->isChecked() ? kItalic : 0) |
           (boxes.选择框是否下划线->isChecked() ? kUnderline : 0) |
           (boxes.选择框是否删除线->isChecked() ? kStrikeout : 0);
}

std::string SectionOf(int number) {
    return "字符格式" + std::to_string(number);
}

std::array<QRadioButton*, 4> Radios(QuickFormatWindow& window) {
    return {window.单选框1, window.单选框2, window.单选框3, window.单选框4};
}

// The quick format window's handlers.

void ShowEffectBits(QuickFormatWindow& window, int bits) {
    if (bits < 0 || bits > 15) {
        return;
    }
    window.effects.选择框是否加粗->setChecked(bits & kBold);
    window.effects.选择框是否倾斜->setChecked(bits & kItalic);
    window.effects.选择框是否下划线->setChecked(bits & kUnderline);
    window.effects.选择框是否删除线->setChecked(bits & kStrikeout);
}

void LoadQuickFormatIntoDialog(QuickFormatWindow& window, const ConfigFile& config,
                               std::string_view section) {
    const QuickFormatTexts texts = ReadQuickFormat(config, section);
    window.编辑框字体大小->setText(QString::fromStdString(texts.size));
    window.组合框字符颜色->setEditText(QString::fromStdString(texts.colour));
    window.组合框字体名称->setEditText(QString::fromStdString(texts.face));
    ShowEffectBits(window, TextToInt(texts.effects));
}

// A failed write is told; the window stays open with the values, to be saved again.
void SaveQuickFormatFromDialog(QuickFormatWindow& window, const ConfigFile& config,
                               Prompts& prompts) {
    const QuickFormatTexts texts{window.编辑框字体大小->text().toStdString(),
                                 TextOf(*window.组合框字符颜色), TextOf(*window.组合框字体名称),
                                 std::to_string(EffectsOf(window.effects))};
    const auto radios = Radios(window);
    for (int n = 1; n <= 4; ++n) {
        if (radios[static_cast<std::size_t>(n - 1)]->isChecked() &&
            WriteQuickFormat(config, SectionOf(n), texts) == ConfigStatus::Failed) {
            prompts.MessageBox(kConfigSaveFailed);
        }
    }
}

} // namespace

void ChangeSelectedFont(StyleState& state, RichEdit& editor) {
    state.formatDialogCancelled = 0;
    FontStyleWindow window(editor.window());
    window.onOpened = [&window] {
        AddComboItems(*window.组合框字符颜色, ColourNameList());
        AddComboItems(*window.组合框2, InstalledFontNames());
        AddComboItems(*window.组合框3, ColourNameList());
    };
    window.onOk = [&window, &state] {
        CharFormat& format = state.selectionFormat;
        format.effects = EffectsOf(window.effects);
        format.face = TextOf(*window.组合框2);
        format.size = TextToInt(window.编辑框字体大小->text().toStdString());
        if (auto back = ColourNameToValue(TextOf(*window.组合框3))) {
            state.selectionBackColour = *back;
        }
        if (auto colour = ColourNameToValue(TextOf(*window.组合框字符颜色))) {
            format.colour = *colour;
        }
        window.accept();
    };
    window.onCancel = [&window] { window.reject(); };
    // The close box counts as Cancel: only OK accepts.
    if (window.exec() != QDialog::Accepted) {
        state.formatDialogCancelled = 1;
    }
    if (state.formatDialogCancelled == 1) {
        return;
    }
    editor.SetSelectionFormat(state.selectionFormat);
    editor.SetBackgroundColour(state.selectionBackColour);
}

void ApplyQuickFormat(RichEdit& editor, const ConfigFile& config, std::string_view section) {
    editor.SetSelectionFormat(QuickFormatToCharFormat(ReadQuickFormat(config, section)));
}

void ConfigureQuickFormats(const ConfigFile& config, Prompts& prompts, QWidget* opener) {
    QuickFormatWindow window(opener);
    window.onOpened = [&window] {
        AddComboItems(*window.组合框字符颜色, ColourNameList());
        AddComboItems(*window.组合框字体名称, InstalledFontNames());
    };
    window.onRadioClicked = [&window, &config](int number) {
        if (!Radios(window)[static_cast<std::size_t>(number - 1)]->isChecked()) {
            return;
        }
        LoadQuickFormatIntoDialog(window, config, SectionOf(number));
        window.按钮保存->setEnabled(true);
        window.分组框1->show();
    };
    window.onSave = [&window, &config, &prompts] {
        SaveQuickFormatFromDialog(window, config, prompts);
    };
    window.exec();
}

} // namespace penrica
