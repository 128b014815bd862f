// The font style window, the quick formats and the quick format window, driven through their
// controls while they run modally, with the results read back from the real editor.

#include "styling/StyleFlows.h"
#include "TempFolder.h"
#include "introductions/EditorContent.h"
#include "platform/core/Files.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/RichEdit.h"
#include "styling/StyleWindows.h"
#include "styling/core/ConfigFile.h"
#include "tests/support/ScriptedPrompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

// Runs `steps` on the window once it is shown modally.
template <typename Window> void WhenShown(std::function<void(Window&)> steps) {
    QTimer::singleShot(0, [steps] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        steps(*window);
    });
}

struct Styled {
    RichEdit edit;
    StyleState state;
    Styled() {
        edit.SetPlainContent(QStringLiteral("足三里穴"));
        Select(1, 3);
    }
    void Select(int from, int to) {
        QTextCursor cursor(edit.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
    }
    void Font(std::function<void(FontStyleWindow&)> steps) {
        WhenShown<FontStyleWindow>(std::move(steps));
        ChangeSelectedFont(state, edit);
    }
    QColor Background() const { return edit.palette().color(QPalette::Base); }
};

TEST(FontStyleWindow, OkWithInitialValues) {
    Styled t;
    t.Font([](FontStyleWindow& w) {
        EXPECT_EQ(w.组合框字符颜色->count(), 32);
        EXPECT_EQ(w.组合框3->count(), 32);
        EXPECT_EQ(w.组合框字符颜色->itemText(31), QStringLiteral("#透明"));
        EXPECT_GT(w.组合框2->count(), 0);
        w.按钮确定->click();
    });
    EXPECT_EQ(t.edit.SelectionFormat(), (CharFormat{"宋体", 9, 0, 0, 0x000000}));
    EXPECT_EQ(t.Background(), QColor(Qt::white));
    t.Select(0, 1);
    EXPECT_EQ(t.edit.SelectionFormat(), CharFormat{}); // outside the selection: untouched
}

TEST(FontStyleWindow, CancelAndCloseBoxChangeNothingThenOkApplies) {
    Styled t;
    t.Font([](FontStyleWindow& w) {
        w.编辑框字体大小->setText("20");
        w.按钮取消->click();
    });
    EXPECT_EQ(t.state.formatDialogCancelled, 1);
    t.Font([](FontStyleWindow& w) {
        w.编辑框字体大小->setText("20");
        w.close();
    });
    EXPECT_EQ(t.edit.SelectionFormat(), CharFormat{});
    t.Font([](FontStyleWindow& w) {
        w.编辑框字体大小->setText("20号");
        w.组合框2->setEditText("黑体");
        w.组合框字符颜色->setEditText("#红色");
        w.effects.选择框是否加粗->setChecked(true);
        w.effects.选择框是否删除线->setChecked(true);
        w.按钮确定->click();
    });
    EXPECT_EQ(t.state.formatDialogCancelled, 0);
    EXPECT_EQ(t.edit.SelectionFormat(), (CharFormat{"黑体", 20, 0, kBold | kStrikeout, 0x0000FF}));
}

TEST(FontStyleWindow, TransparentAndUnknownColours) {
    Styled t;
    t.Font([](FontStyleWindow& w) {
        w.组合框字符颜色->setEditText("#透明");
        w.组合框3->setEditText("#透明");
        w.编辑框字体大小->setText("大");
        w.按钮确定->click();
    });
    EXPECT_EQ(t.edit.SelectionFormat().colour, kAutomaticColour);
    EXPECT_EQ(t.edit.SelectionFormat().size, 0);
    EXPECT_EQ(t.Background(), QApplication::palette().color(QPalette::Base));
    t.Font([](FontStyleWindow& w) {
        w.组合框字符颜色->setEditText("#蓝色");
        w.按钮确定->click();
    });
    t.Font([](FontStyleWindow& w) {
        w.组合框字符颜色->setEditText("蓝色"); // not a table name: the previous OK's colour stays
        w.组合框3->setEditText("#没有");
        w.按钮确定->click();
    });
    EXPECT_EQ(t.edit.SelectionFormat().colour, 0xFF0000u);
    EXPECT_EQ(t.Background(), QColor(Qt::white));
}

struct Quick : Styled {
    TempFolder root;
    ConfigFile config{root.path() / "peizhi.ini"};
    Quick() { config.EnsureConfigFile(); }
};

// The drop-down list as the user sees it when it opens: its width, and the item it opens on.
struct OpenedList {
    int width; // where item texts are drawn, without frame and scroll bar
    QString current;
};
OpenedList Open(QComboBox& box) {
    box.showPopup();
    const OpenedList opened{box.view()->viewport()->width(),
                            box.view()->currentIndex().data().toString()};
    box.hidePopup();
    return opened;
}

TEST(FontStyleWindow, ListsOpenWideOnTheItemOfTheBoxText) {
    Styled t;
    t.Font([](FontStyleWindow& w) {
        std::vector<std::string> fonts;
        int widest = 0;
        for (int i = 0; i < w.组合框2->count(); ++i) {
            fonts.push_back(w.组合框2->itemText(i).toStdString());
            widest = std::max(
                widest, w.组合框2->view()->fontMetrics().horizontalAdvance(w.组合框2->itemText(i)));
        }
        EXPECT_EQ(fonts, InstalledFontNames());
        EXPECT_GE(Open(*w.组合框2).width, widest) << "every font name can be read whole";
#ifndef _WIN32 // the Windows runs see only the fonts Wine finds, none of them that wide
        EXPECT_GT(widest, w.组合框2->width()) << "a name wider than the box, or this proves little";
#endif

        EXPECT_EQ(Open(*w.组合框3).current, QStringLiteral("#白色"));
        EXPECT_EQ(Open(*w.组合框字符颜色).current, QStringLiteral("#黑色"));
        w.组合框字符颜色->setEditText(QStringLiteral("#透明"));
        EXPECT_EQ(Open(*w.组合框字符颜色).current, QStringLiteral("#透明"));
        w.组合框2->setEditText(QString::fromStdString(fonts.back()));
        EXPECT_EQ(Open(*w.组合框2).current.toStdString(), fonts.back());
        EXPECT_EQ(w.组合框2->currentText().toStdString(), fonts.back()) << "opening keeps the text";
        w.按钮取消->click();
    });
}

TEST(QuickFormats, FactoryFourClearsEffectsAndHandEditsApplyAtOnce) {
    Quick t;
    t.edit.SetSelectionFormat({"宋体", 9, 0, kBold | kItalic | kUnderline | kStrikeout, 0x00FF00});
    ApplyQuickFormat(t.edit, t.config, "字符格式4");
    EXPECT_EQ(t.edit.SelectionFormat(), (CharFormat{"黑体", 11, 0, 0, 0x000000}));
    ApplyQuickFormat(t.edit, t.config, "字符格式1");
    EXPECT_EQ(t.edit.SelectionFormat(), (CharFormat{"宋体", 11, 0, 0, 0xFF0000}));

    t.config.WriteConfigItem("字符格式1", "字体效果", "5");
    t.config.WriteConfigItem("字符格式1", "字体颜色", "#透明");
    ApplyQuickFormat(t.edit, t.config, "字符格式1");
    EXPECT_EQ(t.edit.SelectionFormat(),
              (CharFormat{"宋体", 11, 0, kBold | kUnderline, kAutomaticColour}));
    ApplyQuickFormat(t.edit, t.config, "字符格式7");
    EXPECT_EQ(t.edit.SelectionFormat().size, 0);
    EXPECT_EQ(t.edit.SelectionFormat().face, "");
}

TEST(QuickFormats, StyledTextSurvivesSaveAndLoad) {
    Quick t;
    ApplyQuickFormat(t.edit, t.config, "字符格式1");
    const std::string bytes = EncodeIntroduction(ReadEditorContent(t.edit)).bytes;
    RichEdit loaded;
    LoadEditorContent(loaded, DecodeIntroduction(bytes));
    EXPECT_EQ(ReadEditorContent(loaded), ReadEditorContent(t.edit));
    EXPECT_NE(
        WriteFormatText(ReadEditorContent(loaded)).text.find("11<vorn>0<vorn>16711680<vorn>三"),
        std::string::npos);
}

TEST(QuickFormatWindow, RadioLoadsShowsAndSaves) {
    Quick t;
    t.config.WriteConfigItem("字符格式3", "字体效果", "16");
    WhenShown<QuickFormatWindow>([&t](QuickFormatWindow& w) {
        EXPECT_TRUE(w.分组框1->isHidden());
        EXPECT_FALSE(w.按钮保存->isEnabled());
        EXPECT_EQ(w.组合框字符颜色->count(), 32);
        EXPECT_TRUE(w.组合框字符颜色->currentText().isEmpty());
        w.单选框4->click();
        EXPECT_FALSE(w.分组框1->isHidden());
        EXPECT_TRUE(w.按钮保存->isEnabled());
        EXPECT_EQ(w.编辑框字体大小->text(), QStringLiteral("11"));
        EXPECT_EQ(w.组合框字符颜色->currentText(), QStringLiteral("#黑色"));
        EXPECT_EQ(w.组合框字体名称->currentText(), QStringLiteral("黑体"));
        w.effects.选择框是否倾斜->setChecked(true);
        w.单选框3->click(); // 16 is not shown: the boxes stay as they were
        EXPECT_TRUE(w.effects.选择框是否倾斜->isChecked());
        w.编辑框字体大小->setText("大号");
        w.按钮保存->click();
        w.close();
    });
    ScriptedPrompts prompts;
    ConfigureQuickFormats(t.config, prompts, nullptr);
    EXPECT_EQ(t.config.ReadConfigItem("字符格式3", "字体效果"), "2");
    EXPECT_EQ(t.config.ReadConfigItem("字符格式3", "字体大小"), "大号");
    EXPECT_EQ(t.config.ReadConfigItem("字符格式4", "字体大小"), "11");
}

} // namespace
