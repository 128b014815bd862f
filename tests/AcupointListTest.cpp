// The acupoint list in the main window: the search fills it, a click shows the row's acupoint;
// and the name box of a new marker, which suggests the standard points.

#include "AssembledWindow.h"
#include "LibraryWindow.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/InputDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Window : LibraryWindow {
    void Search(const char* text) {
        main->编辑框查找穴位->setText(QString::fromUtf8(text));
        main->按钮查找穴位->click();
    }
    void ClickList(QPoint at) {
        QWidget* viewport = main->超级列表框1->viewport();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
    }
    QPoint Row(int n) {
        return main->超级列表框1->visualItemRect(main->超级列表框1->topLevelItem(n)).center();
    }
};

TEST(AcupointList, SearchFillsRowsAndReplacesThem) {
    Window t;
    for (const char* image : {"a.png", "b.png"})
        t.Image(image);
    t.Marker("a.png", "152！87！印堂！");
    t.Open();
    t.Search("0");
    EXPECT_EQ(t.main->超级列表框1->topLevelItemCount(), 2);
    EXPECT_EQ(t.main->标签右边->text(), QStringLiteral("找到了，请您点击穴位名字"));
    t.Search("堂");
    ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1);
    QTreeWidgetItem* row = t.main->超级列表框1->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("印堂"));
    EXPECT_EQ(row->text(1), QStringLiteral("a.png"));
    EXPECT_EQ(row->text(2), QStringLiteral("152！87！印堂！"));
    t.Search("无");
    EXPECT_EQ(t.main->超级列表框1->topLevelItemCount(), 0);
    EXPECT_EQ(t.main->标签右边->text(), QStringLiteral("没有找到呀！您还没有添加此穴位"));
}

TEST(AcupointList, ClickShowsTheAcupointWithItsRing) {
    Window t;
    t.Image("a.png");
    t.Marker("a.png", "152！87！印堂！");
    t.Marker("a.png", "5！6！A！B！");
    t.Open();
    t.Search("A");
    t.prompts.boxes.clear();
    t.state.hoverEnabled = 1;
    t.ClickList(QPoint(5, 100)); // below the only row: nothing selected
    EXPECT_EQ(t.state.currentImage, "");
    EXPECT_EQ(t.state.hoverEnabled, 1);

    t.ClickList(t.Row(0));
    EXPECT_EQ(t.state.currentImage, "a.png");
    EXPECT_EQ(t.prompts.Texts(), std::vector<std::string>{"文件名错误：5！6！A！B！"});
    EXPECT_EQ(t.state.hoverEnabled, 0);

    // By the name, its pinyin, its codes or its meridians: the row shows the acupoint and rings
    // it, and tells the standard point when the mouse rests on it.
    for (const char* text : {"印", "yt", "Yìn Táng", "GV29", "ex-hn3", "督脉", "经外奇穴"}) {
        t.Search(text);
        ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1) << text;
        EXPECT_EQ(t.main->超级列表框1->topLevelItem(0)->toolTip(0),
                  QStringLiteral("GV29 印堂 yìntáng · 督脉"));
        t.main->画板1->move(0, 0);
        t.ClickList(t.Row(0));
        EXPECT_EQ(t.main->画板1->pos(), QPoint(250 - 152, 200 - 87)) << text;
        EXPECT_EQ(t.main->画板1->Image().pixelColor(152 + 25, 87), QColor(0, 0, 255));
        EXPECT_EQ(t.state.markerFiles.size(), 3u);
    }
    // A click below the rows leaves none selected, so it shows nothing again.
    t.main->画板1->move(0, 0);
    t.ClickList(QPoint(5, 100));
    EXPECT_EQ(t.main->画板1->pos(), QPoint(0, 0));
}

// One step of the user in the name box.
struct NameBoxStep {
    // SecondClickOnOk: the second click of a double-click begun on a suggestion, landing on
    // 确定 once the list is gone.
    enum class Kind { Type, Key, Compose, Commit, ClickRow, ClickOk, SecondClickOnOk } kind;
    QString text;
    Qt::Key key = Qt::Key_unknown;
};

TEST(NameBox, SuggestsStandardPointsAndTakesOnlyWhatIsChosen) {
    using K = NameBoxStep::Kind;
    const NameBoxStep down{K::Key, {}, Qt::Key_Down};
    const NameBoxStep up{K::Key, {}, Qt::Key_Up};
    const NameBoxStep enter{K::Key, {}, Qt::Key_Return};
    struct Case {
        std::vector<NameBoxStep> steps;
        const char* added; // the new marker's name; "" for none
    };
    const Case cases[] = {
        {{{K::Type, "zsl"}, down, enter, enter}, "足三里"},
        {{{K::Type, "zsl"}, enter}, "zsl"}, // nothing chosen: the box takes what was typed
        {{{K::Type, "qihai"}, down, {K::ClickRow}, {K::SecondClickOnOk}, enter}, "气海"},
        {{{K::Type, "st36"}, down, down, up, {K::ClickRow}, {K::ClickOk}}, "足三里"},
        // Letters still composing find nothing; the committed characters do.
        {{{K::Compose, "zsl"}, {K::Commit, "足三"}, down, enter, enter}, "足三里"},
        {{{K::Type, "阿是穴"}, enter}, "阿是穴"},
        {{{K::Type, "zsl"}, down, {K::Key, {}, Qt::Key_Escape}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        AssembledWindow t;
        t.ShowImage();
        t.prompts.realInputBoxes = true;
        t.prompts.menuChoices = {"在此添加穴位标志"};
        QStringList shown; // the first suggestion after each step, "" while the list is hidden
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<InputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (const NameBoxStep& step : c.steps) {
                QListWidget* list = box->List();
                switch (step.kind) {
                case K::Type:
                    AssembledWindow::TypeInto(box->Line(), step.text);
                    break;
                case K::Key:
                    QTest::keyClick(box->Line(), step.key);
                    break;
                case K::Compose:
                    AssembledWindow::Compose(box->Line(), step.text);
                    break;
                case K::Commit:
                    AssembledWindow::Commit(box->Line(), step.text);
                    break;
                case K::ClickRow:
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualItemRect(list->currentItem()).center());
                    break;
                case K::ClickOk:
                    QTest::mouseClick(
                        box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                        Qt::LeftButton);
                    break;
                case K::SecondClickOnOk: {
                    QWidget* ok = box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
                    const QPointF at = QPointF(ok->rect().center());
                    for (QEvent::Type type :
                         {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                        QMouseEvent click(type, at, ok->mapToGlobal(at), Qt::LeftButton,
                                          type == QEvent::MouseButtonRelease ? Qt::NoButton
                                                                             : Qt::LeftButton,
                                          Qt::NoModifier);
                        QApplication::sendEvent(ok, &click);
                    }
                    break;
                }
                }
                if (!box->isVisible()) {
                    return;
                }
                shown << (list->isVisible() ? list->item(0)->text() : QString());
            }
            box->reject();
        });
        QTest::mousePress(t.main->画板1, Qt::RightButton, {}, QPoint(30, 40));
        const std::string record = std::string("30！40！") + c.added + "！";
        EXPECT_EQ(Exists(t.Marker(record.c_str())), *c.added != '\0');
        EXPECT_EQ(ListMarkerFiles(t.services.folder, kImage).size(), *c.added ? 4u : 3u);
        // Only the last step closes the box: choosing a suggestion never takes it.
        EXPECT_EQ(shown.size(), static_cast<qsizetype>(c.steps.size()) - 1);
        if (c.steps.front().kind == K::Compose) {
            EXPECT_EQ(shown.first(), QString()) << "composing letters are no text";
            EXPECT_EQ(shown[1], QStringLiteral("足三里  ST36  zúsānlǐ"));
        }
    }
}

} // namespace
