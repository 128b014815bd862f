// What the user typed survives ordinary use of the assembled program: closing the window in any
// way, stray keys, the modal main window, reopening it, undo, and saves that are killed.

#include "AssembledWindow.h"
#include "app/StartWindow.h"
#include "introductions/EditorMessages.h"
#include "platform/qt/Controls.h"
#include "styling/StyleWindows.h"
#include "styling/core/ConfigFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

namespace {

using namespace penrica;

void RemoveWriteBit(const std::filesystem::path& path) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
}

TEST(Closing, EveryCloseOffersToSaveTheChangedIntroduction) {
    struct Case {
        const char* name;
        Answer answer;
        bool readOnly;
        bool closes;
        std::string stored;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {"OK saves", Answer::Ok, false, true, "印堂在两眉之间甲乙", {kCloseQuestion}},
        {"Cancel closes unsaved", Answer::Cancel, false, true, "印堂在两眉之间", {kCloseQuestion}},
        {"a failed save keeps the window and the text",
         Answer::Ok,
         true,
         false,
         "印堂在两眉之间",
         {kCloseQuestion, kSaveFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AssembledWindow t;
        t.EditIntroduction(kYintang, QStringLiteral("甲乙"));
        if (c.readOnly) {
            RemoveWriteBit(t.Marker(kYintang));
        }
        t.prompts.answers = {c.answer};
        EXPECT_EQ(t.CloseByWindowSystem(), c.closes);
        EXPECT_EQ(t.prompts.Texts(), c.shown);
        EXPECT_EQ(t.Stored(kYintang), c.stored);
        if (!c.closes) {
            EXPECT_EQ(t.EditorText(), "印堂在两眉之间甲乙");
        }
    }
}

TEST(Closing, NothingIsAskedWithoutAChange) {
    AssembledWindow t;
    t.ShowImage();
    t.Choose(kYintang);
    EXPECT_TRUE(t.CloseByWindowSystem());
    EXPECT_TRUE(t.prompts.Texts().empty());
}

TEST(StrayKeys, NoKeyClosesTheMainWindowOrPressesSave) {
    AssembledWindow t;
    t.EditIntroduction(kYintang, QStringLiteral("甲"));
    QWidget* controls[] = {t.main.get(), t.main->编辑框查找穴位, t.main->滑块条1,
                           t.main->超级列表框1, t.main->按钮查找穴位};
    for (QWidget* control : controls) {
        SCOPED_TRACE(control->objectName().toStdString());
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            t.Key(control, key);
        }
        EXPECT_TRUE(t.main->isVisible());
    }
    EXPECT_TRUE(t.prompts.Texts().empty());
    EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间");
    EXPECT_EQ(t.state.introChanged, 1);
    // Escape in the editor edits nothing and closes nothing; Return there is a line break.
    t.Key(t.main->超级编辑框1, Qt::Key_Escape);
    t.Key(t.main->超级编辑框1, Qt::Key_Return);
    EXPECT_TRUE(t.main->isVisible());
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间甲\r\n");
}

TEST(StrayKeys, AFocusedButtonIsPressedByReturnAndSpace) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        AssembledWindow t;
        t.EditIntroduction(kYintang, QStringLiteral("甲"));
        t.main->按钮保存编辑框内容->setFocus();
        t.Key(t.main->按钮保存编辑框内容, key);
        EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间甲") << key;
        t.main->图形按钮2->setFocus();
        t.Key(t.main->图形按钮2, key);
        EXPECT_EQ(t.state.scrollDirection, "右") << key;
    }
}

// Runs `check` on the modal window that `open` brings up, then closes it by its close box.
template <typename Window>
void WithModalWindow(const std::function<void()>& open, const std::function<void(Window&)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        seen = true;
        check(*window);
        window->windowHandle()->close();
    });
    open();
    EXPECT_TRUE(seen);
}

TEST(StrayKeys, TheQuickFormatWindowEndsOnlyByItsCloseBox) {
    AssembledWindow t;
    const std::string before = ReadWholeFile(t.services.folder.ConfigFile());
    WithModalWindow<QuickFormatWindow>(
        [&] { t.main->配置快捷字符格式->trigger(); },
        [&](QuickFormatWindow& window) {
            t.Click(window.单选框1);
            // Return in a drop-down box whose whole text is selected keeps that text.
            for (QComboBox* box : {window.组合框字符颜色, window.组合框字体名称}) {
                const QString shown = box->currentText();
                box->lineEdit()->selectAll();
                t.Key(box, Qt::Key_Return);
                EXPECT_EQ(box->currentText(), shown);
            }
            window.编辑框字体大小->setText(QStringLiteral("30"));
            for (QWidget* control :
                 {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.编辑框字体大小),
                  static_cast<QWidget*>(window.单选框1)}) {
                t.Key(control, Qt::Key_Return);
                t.Key(control, Qt::Key_Escape);
            }
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(ReadWholeFile(t.services.folder.ConfigFile()), before);
        });
    EXPECT_TRUE(t.main->isVisible());
}

// A peizhi.ini that cannot be written: 恢复出厂配置 and the quick format window's 保存 say so and
// change nothing, and the quick format window stays with its values. Writable again, the factory
// values come back in one rewrite.
TEST(ConfigSaves, AFailedWriteIsToldAndChangesNothing) {
    AssembledWindow t;
    const auto config = t.services.folder.ConfigFile();
    const std::string factory = ReadWholeFile(config);
    ConfigFile(config).WriteConfigItem("字符格式1", "字体大小", "40");
    const std::string before = ReadWholeFile(config);
    RemoveWriteBit(config);
    t.main->恢复出厂配置->trigger();
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kSaveFailed});
    WithModalWindow<QuickFormatWindow>(
        [&] { t.main->配置快捷字符格式->trigger(); },
        [&](QuickFormatWindow& window) {
            t.Click(window.单选框2);
            window.编辑框字体大小->setText(QStringLiteral("14"));
            t.Click(window.按钮保存);
            EXPECT_EQ(t.prompts.Texts(), (std::vector<std::string>{kSaveFailed, kSaveFailed}));
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(window.编辑框字体大小->text(), QStringLiteral("14"));
        });
    EXPECT_EQ(ReadWholeFile(config), before);

    std::filesystem::permissions(config, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    t.main->恢复出厂配置->trigger();
    EXPECT_EQ(t.prompts.Texts().size(), 2u);
    EXPECT_EQ(ReadWholeFile(config), factory);
}

TEST(StrayKeys, TheFontStyleWindowIgnoresEscapeAndReturn) {
    AssembledWindow t;
    t.ShowImage();
    t.Choose(kYintang);
    t.main->超级编辑框1->selectAll();
    const CharFormat before = t.main->超级编辑框1->SelectionFormat();
    WithModalWindow<FontStyleWindow>(
        [&] { t.main->改变选中字体->trigger(); },
        [&](FontStyleWindow& window) {
            window.编辑框字体大小->setText(QStringLiteral("30"));
            for (QWidget* control :
                 {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.编辑框字体大小)}) {
                t.Key(control, Qt::Key_Return);
                t.Key(control, Qt::Key_Escape);
            }
            EXPECT_TRUE(window.isVisible());
        });
    // Closed by its close box: the same as 取消.
    EXPECT_EQ(t.state.formatDialogCancelled, 1);
    EXPECT_EQ(t.main->超级编辑框1->SelectionFormat(), before);
}

TEST(Modality, OneMainWindowAndTheStartWindowWaitsForIt) {
    AssembledWindow t;
    t.main.reset();
    StartWindow start(t.state, t.services);
    start.show();
    int mainWindows = 0;
    start.onMainWindowShown = [&](MainWindow& main) {
        EXPECT_EQ(QApplication::activeModalWidget(), &main);
        EXPECT_EQ(main.windowModality(), Qt::ApplicationModal);
        start.按钮1->click(); // a click that reaches the button anyway opens nothing
        start.close();
        EXPECT_TRUE(start.isVisible());
        for (QWidget* w : QApplication::topLevelWidgets()) {
            mainWindows += qobject_cast<MainWindow*>(w) != nullptr && w->isVisible();
        }
        main.windowHandle()->close();
    };
    start.按钮1->click();
    EXPECT_EQ(mainWindows, 1);
    EXPECT_TRUE(start.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(Reopening, NothingIsPendingInTheNewWindow) {
    struct Case {
        const char* name;
        Answer atClose;
        std::string stored;
    };
    const std::vector<Case> cases = {
        {"saved at close", Answer::Ok, "印堂在两眉之间甲"},
        {"declined at close", Answer::Cancel, "印堂在两眉之间"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AssembledWindow t;
        t.EditIntroduction(kYintang, QStringLiteral("甲"));
        t.prompts.answers = {c.atClose};
        ASSERT_TRUE(t.CloseByWindowSystem());
        t.Open();
        // 保存 in the new, empty editor writes nothing.
        t.Click(t.main->按钮保存编辑框内容);
        EXPECT_EQ(t.Stored(kYintang), c.stored);
        // Adding a marker asks nothing and saves nothing over the last-edited marker.
        t.ShowImage();
        ASSERT_TRUE(t.PointAt(QPoint(300, 200), ""));
        t.prompts.menuChoices = {"在此添加穴位标志"};
        t.prompts.inputs = {"新穴"};
        QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(300, 200));
        EXPECT_TRUE(Exists(t.Marker("300！200！新穴！")));
        EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{kCloseQuestion});
        EXPECT_EQ(t.Stored(kYintang), c.stored);
        // Closing again asks nothing.
        EXPECT_TRUE(t.CloseByWindowSystem());
        EXPECT_EQ(t.prompts.Texts().size(), 1u);
    }
}

TEST(Undo, ReachesOnlyTheUsersOwnEditsOfTheIntroductionOnShow) {
    AssembledWindow t;
    t.ShowImage();
    t.Choose(kHegu);
    t.Choose(kYintang);
    t.main->超级编辑框1->moveCursor(QTextCursor::End);
    t.Type(QStringLiteral("ab"));
    // Ctrl+Y redoes, as in the rich-edit control of the Windows desktop.
    t.Key(t.main->超级编辑框1, Qt::Key_Z, Qt::ControlModifier);
    t.Key(t.main->超级编辑框1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间ab");
    for (int i = 0; i < 3; ++i) {
        t.Key(t.main->超级编辑框1, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(t.EditorText(), "印堂在两眉之间") << i;
    }
    t.Click(t.main->按钮保存编辑框内容);
    EXPECT_EQ(t.Stored(kYintang), "印堂在两眉之间");

    // Adding a marker empties the editor: no Ctrl+Z brings the other text back into it.
    ASSERT_TRUE(t.PointAt(QPoint(300, 200), ""));
    t.prompts.menuChoices = {"在此添加穴位标志"};
    t.prompts.inputs = {"新穴"};
    QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(300, 200));
    t.Key(t.main->超级编辑框1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), "");
}

TEST(Undo, AnOpenedFileIsTheUsersEditAndTypingAfterItIsAStepOfItsOwn) {
    AssembledWindow t;
    const auto vorn = t.folder.path() / u8"其他.vorn";
    WriteWholeFile(vorn, IntroductionBytes("打开的"));
    t.ShowImage();
    t.Choose(kYintang);
    t.prompts.files = {PathToUtf8(vorn)};
    t.main->打开穴位介绍五彩文本->trigger();
    ASSERT_EQ(t.EditorText(), "打开的");
    t.main->超级编辑框1->moveCursor(QTextCursor::End);
    t.Type(QStringLiteral("x"));
    t.Key(t.main->超级编辑框1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), "打开的");
    t.Key(t.main->超级编辑框1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.EditorText(), "印堂在两眉之间");
}

TEST(KilledSaves, NoTemporaryFileIsListedOrReported) {
    AssembledWindow t;
    // What a save killed before its rename leaves behind.
    const auto staging = t.services.folder.Staging();
    std::filesystem::create_directories(staging);
    WriteWholeFile(staging / "w999999-0.tmp", "half");
    t.ShowImage();
    t.Choose(kYintang);
    t.Type(QStringLiteral("甲"));
    t.Click(t.main->按钮保存编辑框内容);
    std::vector<std::string> listed =
        ListFolder(MarkerFolder(t.services.folder, kImage), EntryKind::Files);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"0！0！0！", kYintang, kHegu}));
    t.main->编辑框查找穴位->setText(QStringLiteral("穴"));
    t.Click(t.main->按钮查找穴位);
    EXPECT_TRUE(t.prompts.Texts().empty()); // no 违法文件
    EXPECT_EQ(ListFolder(t.services.folder.ImageFolder(), EntryKind::Files),
              std::vector<std::string>{kImage});
}

} // namespace
