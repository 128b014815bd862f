// The soak's keys, typing, buttons, file and help menus, search and list, closing, read-only
// files, and what the user does in the two style windows.

#include "SoakRun.h"

#include "platform/qt/Controls.h"
#include "styling/StyleWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

namespace {

const std::vector<std::string> kTexts = {
    "足三里",
    "在膝下三寸",
    "abc",
    " ",
    "穴位介绍",
    "😀",
    "𠀀字",
    "甲乙丙丁",
    "\t",
    "Ωé",
    "一二三四五六七八九十",
    std::string(600, 'x'),
};
const std::vector<std::string> kSearches = {"穴", "印", "合谷", "新", "！", "a", "😀", "不存在", ""};
const std::vector<const char*> kFileEntries = {
    "添加图片",     "穴位介绍文本另存为", "打开穴位介绍五彩文本",
    "打开普通文本", "配置快捷字符格式",   "恢复出厂配置"};
const std::vector<const char*> kHelpEntries = {
    "添加穴位图片", "在图片上添加穴位标志", "显示标志穴位介绍", "将穴位介绍改变五彩文字", "版本"};
const std::vector<KeyStroke> kKeys = {
    {Qt::Key_Return, {}, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Escape, {}, "Escape"},
    {Qt::Key_Backspace, {}, "Backspace"},
    {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_Tab, {}, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Space, {}, "Space"},
    {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},
    {Qt::Key_Up, {}, "Up"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_Home, {}, "Home"},
    {Qt::Key_End, Qt::ShiftModifier, "Shift+End"},
    {Qt::Key_PageUp, {}, "PageUp"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_F4, Qt::AltModifier, "Alt+F4"},
};

// Sends each character (a whole surrogate pair at once) as a key carrying its text; the longest
// a key took, in milliseconds.
qint64 TypeText(QWidget* target, const QString& text) {
    qint64 longest = 0;
    for (int i = 0; i < text.size(); ++i) {
        const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString unit = text.mid(i, length);
        QElapsedTimer clock;
        clock.start();
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, unit, {});
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, unit, {});
        longest = std::max(longest, clock.elapsed());
        i += length - 1;
    }
    return longest;
}

} // namespace

void SoakRun::PressKeys(int count) {
    for (int i = 0; i < count; ++i) {
        QWidget* focus = Main().focusWidget() ? Main().focusWidget() : w_.main.get();
        if (Chance(0.3)) {
            const std::string text = OneOf(kTexts).substr(0, 12);
            TypeText(focus, Q(text));
            Say(" \"" + text + "\"");
        } else {
            const KeyStroke& k = OneOf(kKeys);
            QTest::keyClick(focus, k.key, k.modifiers);
            Say(std::string(" ") + k.name);
        }
    }
}

void SoakRun::Keys() {
    MainWindow& m = Main();
    const std::vector<QWidget*> controls = {m.超级编辑框1,
                                            m.超级编辑框1,
                                            m.超级编辑框1,
                                            m.超级编辑框1,
                                            m.编辑框查找穴位,
                                            m.滑块条1,
                                            m.超级列表框1,
                                            m.按钮保存编辑框内容,
                                            m.按钮查找穴位,
                                            m.图形按钮1,
                                            m.图形按钮2,
                                            m.画板1,
                                            &m};
    QWidget* target = OneOf(controls);
    target->setFocus(Qt::TabFocusReason);
    Say(" in " + target->objectName().toStdString());
    if (target == m.超级编辑框1 && Chance(0.5)) {
        QWidget* viewport = m.超级编辑框1->viewport();
        const QPoint p(Pick(viewport->width()), Pick(60));
        const Qt::KeyboardModifiers modifiers = Chance(0.3) ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mouseClick(viewport, Qt::LeftButton, modifiers, p);
        Say(" click " + Describe(p));
    }
    PressKeys(1 + Pick(6));
}

void SoakRun::Type() {
    QWidget* target = Chance(0.85) ? static_cast<QWidget*>(Main().超级编辑框1)
                                   : static_cast<QWidget*>(Main().编辑框查找穴位);
    target->setFocus(Qt::TabFocusReason);
    const std::string text = OneOf(kTexts);
    Say(" into " + target->objectName().toStdString() + " \"" + text.substr(0, 20) + "\"");
    // Typing is as many inputs as characters: each of them must answer in time.
    longestInputMs_ = TypeText(target, Q(text));
}

// Pinyin letters composing in the editor or the search box, then a candidate committed, the
// composition cancelled, left open for the next actions, or dropped by a press elsewhere in the
// window, which must leave the box's committed text as it was.
void SoakRun::Compose() {
    QWidget* target = Chance(0.8) ? static_cast<QWidget*>(Main().超级编辑框1)
                                  : static_cast<QWidget*>(Main().编辑框查找穴位);
    target->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != target) {
        return Say(" no focus");
    }
    static const std::vector<QString> letters = {"z", "zu", "zu s", "zu san", "zu san li"};
    const int shown = 1 + Pick(static_cast<int>(letters.size()));
    for (int i = 0; i < shown; ++i) {
        w_.Compose(target, letters[static_cast<std::size_t>(i)]);
    }
    Say(" in " + target->objectName().toStdString() + " \"" + letters[shown - 1].toStdString() +
        "\"");
    switch (Pick(4)) {
    case 0: {
        const std::string text = OneOf(kTexts).substr(0, 30);
        w_.Commit(target, Q(text));
        return Say(" commit \"" + text + "\"");
    }
    case 1:
        w_.Compose(target, QString());
        return Say(" cancel");
    case 2:
        return Say(" left open");
    default:
        break;
    }
    const std::string before = EditorText();
    QWidget* elsewhere = Chance(0.5) ? static_cast<QWidget*>(Main().画板列表条)
                                     : static_cast<QWidget*>(Main().标签1);
    w_.PressThroughWindow(elsewhere, QPoint(2, 2));
    Say(" press on " + elsewhere->objectName().toStdString());
    if (EditorText() != before && problem_.empty()) {
        problem_ = "a press elsewhere changed the editor's text";
    }
}

void SoakRun::Save() {
    QPushButton* save = Main().按钮保存编辑框内容;
    if (Chance(0.7)) {
        w_.Click(save);
        Say(" click");
    } else {
        save->setFocus(Qt::TabFocusReason);
        static const std::vector<KeyStroke> presses = {
            {Qt::Key_Return, {}, "Return"},
            {Qt::Key_Space, {}, "Space"},
            {Qt::Key_Enter, Qt::KeypadModifier, "Enter"}};
        const KeyStroke& k = OneOf(presses);
        QTest::keyClick(Main().focusWidget() ? Main().focusWidget() : w_.main.get(), k.key,
                        k.modifiers);
        Say(std::string(" ") + k.name);
    }
}

void SoakRun::FileMenu() {
    const std::string entry = OneOf(kFileEntries);
    Say(" [" + entry + "]");
    std::optional<fs::path> file;
    if (entry == "添加图片") {
        static const std::vector<std::string> pictures = {
            "手臂.png", "足部.jpg", "腹部.bmp", "人体.png", "巨图.png", "坏图.jpg", "无.jpg"};
        file = sources_ / PathFromUtf8(OneOf(pictures));
        if (Exists(*file)) {
            expected_.addedImage = {PathToUtf8(file->filename()), ReadWholeFile(*file)};
        }
    } else if (entry == "穴位介绍文本另存为") {
        file = exports_ / PathFromUtf8(std::to_string(1 + Pick(3)) + ".vorn");
    } else if (entry == "打开穴位介绍五彩文本") {
        const int n = Pick(5);
        file = n < 3 ? exports_ / PathFromUtf8(std::to_string(n + 1) + ".vorn")
                     : sources_ / (n == 3 ? "坏.vorn" : "无.vorn");
    } else if (entry == "打开普通文本") {
        static const std::vector<std::string> texts = {"短.txt", "满.txt", "超.txt", "零.txt",
                                                       "无.txt"};
        file = sources_ / PathFromUtf8(OneOf(texts));
    } else if (entry == "配置快捷字符格式") {
        configMayChange_ = true;
        PlayQuickFormatWindow();
    } else {
        configMayChange_ = true;
    }
    if (file && Chance(0.85)) {
        w_.prompts.files = {PathToUtf8(*file)};
        Say(" file " + PathToUtf8(file->filename()));
    } else {
        w_.prompts.files = {std::nullopt};
    }
    Entry(Main().文件, entry)->trigger();
}

void SoakRun::ReplaceText(QLineEdit* box, const std::string& text) {
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    TypeText(box, Q(text));
}

void SoakRun::Search() {
    if (Chance(0.8)) {
        const std::string text = OneOf(kSearches);
        ReplaceText(Main().编辑框查找穴位, text);
        Say(" \"" + text + "\"");
    }
    w_.Click(Main().按钮查找穴位);
    Say(" → " + std::to_string(Main().超级列表框1->topLevelItemCount()) + " rows");
}

void SoakRun::ListClick() {
    QTreeWidget* list = Main().超级列表框1;
    QPoint p(Pick(list->viewport()->width()), Pick(list->viewport()->height()));
    if (list->topLevelItemCount() > 0 && Chance(0.85)) {
        QTreeWidgetItem* item = list->topLevelItem(Pick(list->topLevelItemCount()));
        list->scrollToItem(item);
        p = list->visualItemRect(item).center();
        Say(" row " + item->text(2).toStdString() + " of " + item->text(1).toStdString());
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
    Say(" → " + w_.state.currentImage);
}

void SoakRun::Help() {
    if (Chance(0.2)) {
        QTest::mousePress(Main().标签版本, Qt::LeftButton);
        return Say(" 标签版本");
    }
    const char* entry = OneOf(kHelpEntries);
    Say(std::string(" [") + entry + "]");
    Entry(Main().帮助, entry)->trigger();
}

void SoakRun::CloseReopen() {
    if (!w_.CloseByWindowSystem()) {
        return Say(" refused");
    }
    w_.Open(AssembledWindow::HoverTimer::Ticked);
    SetUpWindow();
    Say(" closed, opened again");
}

// As the read-only attribute or a file open elsewhere does on Windows: saves, adds and deletes
// there fail, and must say so or change nothing.
void SoakRun::ReadOnly() {
    const AppState& s = w_.state;
    std::string key = MarkerKey(s.editedImage, s.editedMarker);
    if (Chance(0.4) || s.editedMarker.empty()) {
        key = "zhujie/" + s.currentImage + "/";
    }
    if (Chance(0.25)) {
        for (const std::string& locked : readOnly_) {
            std::error_code gone; // deleted since
            fs::permissions(w_.folder.path() / PathFromUtf8(locked), fs::perms::owner_write,
                            fs::perm_options::add, gone);
        }
        readOnly_.clear();
        return Say(" all writable again");
    }
    const fs::path path = w_.folder.path() / PathFromUtf8(key);
    if (!Exists(path)) {
        return Say(" (nothing at " + key + ")");
    }
    const bool lock = readOnly_.count(key) == 0;
    fs::permissions(path, fs::perms::owner_write,
                    lock ? fs::perm_options::remove : fs::perm_options::add);
    lock ? (void)readOnly_.insert(key) : (void)readOnly_.erase(key);
    Say((lock ? " read-only " : " writable ") + key);
}

void SoakRun::PlayFontStyleWindow() {
    QTimer::singleShot(0, [this] {
        auto* window = qobject_cast<FontStyleWindow*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            return;
        }
        static const std::vector<std::string> sizes = {"9", "30", "0", "-5", "abc", "99999", ""};
        for (int steps = Pick(5); steps > 0; --steps) {
            switch (Pick(6)) {
            case 0:
                ReplaceText(window->编辑框字体大小, OneOf(sizes));
                break;
            case 1:
                window->组合框字符颜色->setCurrentIndex(Pick(window->组合框字符颜色->count()));
                break;
            case 2:
                window->组合框3->setCurrentIndex(Pick(window->组合框3->count()));
                break;
            case 3:
                window->组合框2->setCurrentIndex(Pick(std::min(window->组合框2->count(), 8)));
                break;
            case 4:
                w_.Click(OneOf(std::vector<QCheckBox*>{
                    window->effects.选择框是否加粗, window->effects.选择框是否倾斜,
                    window->effects.选择框是否下划线, window->effects.选择框是否删除线}));
                break;
            default:
                QTest::keyClick(window, Chance(0.5) ? Qt::Key_Return : Qt::Key_Escape);
            }
        }
        const int close = Pick(3);
        Say(close == 0 ? " 确定" : close == 1 ? " 取消" : " close box");
        if (close == 0) {
            w_.Click(window->按钮确定);
        } else if (close == 1) {
            w_.Click(window->按钮取消);
        }
        if (window->isVisible()) {
            window->windowHandle()->close();
        }
    });
}

void SoakRun::PlayQuickFormatWindow() {
    QTimer::singleShot(0, [this] {
        auto* window = qobject_cast<QuickFormatWindow*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            return;
        }
        static const std::vector<std::string> sizes = {"12", "40", "0", "x", ""};
        for (int steps = 1 + Pick(5); steps > 0; --steps) {
            switch (Pick(6)) {
            case 0:
                w_.Click(OneOf(std::vector<QRadioButton*>{window->单选框1, window->单选框2,
                                                          window->单选框3, window->单选框4}));
                break;
            case 1:
                ReplaceText(window->编辑框字体大小, OneOf(sizes));
                break;
            case 2:
                window->组合框字符颜色->setCurrentIndex(Pick(window->组合框字符颜色->count()));
                break;
            case 3:
                w_.Click(window->effects.选择框是否加粗);
                break;
            case 4:
                w_.Click(window->按钮保存);
                Say(" 保存");
                break;
            default:
                QTest::keyClick(window, Chance(0.5) ? Qt::Key_Return : Qt::Key_Escape);
            }
        }
        window->windowHandle()->close();
    });
}
