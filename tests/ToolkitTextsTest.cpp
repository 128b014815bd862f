// The toolkit's own texts that a user reads: the real message box, input box and file dialogs,
// as the program shows them, in Chinese with nothing left in English.

#include "platform/qt/ToolkitTexts.h"
#include "TempFolder.h"
#include "platform/core/Files.h"
#include "platform/qt/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace penrica;

// English: a Latin letter and no Chinese character, after the mnemonic ("(&O)") and the
// shortcut after a tab are taken away.
bool IsEnglish(QString text) {
    text = text.section(u'\t', 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    bool latin = false;
    for (QChar c : text) {
        if (c.script() == QChar::Script_Han) {
            return false;
        }
        latin = latin || (c.toLatin1() >= 'A' && c.toLatin1() <= 'Z') ||
                (c.toLatin1() >= 'a' && c.toLatin1() <= 'z');
    }
    return latin;
}

// Every text of the window that the user can read: title, captions, tips, menu entries, column
// headers, and the columns that the toolkit fills in beside the file names.
QStringList ReadableTexts(QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            texts << label->text();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts << button->text();
        }
        if (auto* view = qobject_cast<QTreeView*>(w)) {
            QAbstractItemModel& model = *view->model();
            for (int column = 0; column < model.columnCount(); ++column) {
                texts << model.headerData(column, Qt::Horizontal).toString();
            }
            for (int row = 0; row < model.rowCount(view->rootIndex()); ++row) {
                for (int column = 1; column < model.columnCount(); ++column) {
                    texts << model.index(row, column, view->rootIndex()).data().toString();
                }
            }
        }
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        texts << action->text();
    }
    return texts;
}

// Runs `look` on the modal window that `show` opens, once `ready` holds, then closes it.
void WhileShown(
    const std::function<void()>& show, const std::function<void(QWidget&)>& look,
    const std::function<bool(QWidget&)>& ready = [](QWidget&) { return true; }) {
    bool looked = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        QElapsedTimer waited;
        waited.start();
        while (!ready(*window) && waited.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        look(*window);
        looked = true;
        window->close();
    });
    show();
    EXPECT_TRUE(looked);
}

QStringList English(const QStringList& texts) {
    QStringList english;
    for (const QString& text : texts) {
        if (IsEnglish(text)) {
            english << text;
        }
    }
    return english;
}

class ToolkitTexts : public ::testing::Test {
protected:
    ChineseToolkitTexts chinese;
    QtPrompts real;
    Prompts& prompts = real;
};

TEST_F(ToolkitTexts, MessageAndInputBoxesSayOkAndCancelInChinese) {
    ASSERT_TRUE(chinese.QtTranslationLoaded()) << "qtbase_zh_CN.qm (qt6-translations-l10n)";
    auto buttons = [](QWidget& window) {
        QStringList texts;
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            texts << button->text();
        }
        return texts;
    };
    WhileShown([&] { prompts.MessageBox("删除吗？", Buttons::OkCancel); },
               [&](QWidget& box) {
                   EXPECT_EQ(buttons(box), (QStringList{"确定", "取消"}));
                   EXPECT_EQ(English(ReadableTexts(box)), QStringList{});
               });
    WhileShown([&] { prompts.MessageBox("已保存"); },
               [&](QWidget& box) { EXPECT_EQ(buttons(box), QStringList{"确定"}); });
    WhileShown([&] { prompts.InputBox("添加穴位", "请输入穴位名称"); },
               [&](QWidget& box) {
                   EXPECT_EQ(buttons(box), (QStringList{"确定", "取消"}));
                   EXPECT_EQ(English(ReadableTexts(box)), QStringList{});
                   // The typing box's own menu: undo, cut, copy, paste...
                   std::unique_ptr<QMenu> menu(
                       box.findChild<QLineEdit*>()->createStandardContextMenu());
                   EXPECT_EQ(English(ReadableTexts(*menu)), QStringList{});
               });
}

TEST_F(ToolkitTexts, FileDialogsShowNoEnglish) {
    TempFolder folder;
    ASSERT_TRUE(CreateFolder(folder.path() / u8"子文件夹"));
    ASSERT_TRUE(WriteWholeFile(folder.path() / "a.jpg", "jpeg"));
    ASSERT_TRUE(WriteWholeFile(folder.path() / "b.vorn", "vorn"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.path().string()));
    auto listed = [](QWidget& dialog) {
        auto* view = dialog.findChild<QTreeView*>();
        return view && view->model()->rowCount(view->rootIndex()) == 2; // the folder and a.jpg
    };
    for (bool open : {true, false}) {
        WhileShown(
            [&] {
                const FileDialogRequest request{"jpg(jpg)|*.jpg|vorn(vorn)|*.vorn", "vorn"};
                open ? prompts.OpenFile(request) : prompts.SaveFile(request);
            },
            [&](QWidget& dialog) {
                ASSERT_TRUE(listed(dialog));
                const QStringList texts = ReadableTexts(dialog);
                EXPECT_EQ(English(texts), QStringList{}) << texts.join(u'|').toStdString();
                EXPECT_TRUE(texts.contains(QStringLiteral("文件夹")));
                EXPECT_TRUE(
                    texts.contains(open ? QStringLiteral("打开(&O)") : QStringLiteral("保存(&S)")));
            },
            listed);
    }
    QDir::setCurrent(before);
}

} // namespace
