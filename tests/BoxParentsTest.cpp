// Every box and dialog belongs to the window that opened it: the real boxes (QtPrompts) and the
// style windows, opened through the assembled main window's bindings while it runs modally, as
// the start window runs it.

#include "AssembledWindow.h"
#include "CaseName.h"
#include "platform/qt/Prompts.h"

#include <QAction>
#include <QDialog>
#include <QTimer>

namespace {

using namespace penrica;

struct BoxCase {
    const char* name;
    std::function<void(AssembledWindow&)> open;
    const char* kind;
    bool centredOnTheWindow; // the style windows open centred on the screen
};

class BoxParents : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxParents, TheBoxBelongsToTheWindowThatOpenedIt) {
    const BoxCase& c = GetParam();
    AssembledWindow t;
    QtPrompts boxes;
    Services real{boxes, t.desktop, t.services.folder};
    t.main = std::make_unique<MainWindow>(t.state, real);
    t.main->setWindowModality(Qt::ApplicationModal); // as exec() runs it
    t.main->show();
    QApplication::processEvents();

    // The first box that opens is looked at and closed; any that follows is closed too.
    std::string kind;
    QWidget* parent = nullptr;
    QRect placed;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || box == t.main.get()) {
            return;
        }
        if (kind.empty()) {
            kind = box->metaObject()->className();
            parent = box->parentWidget();
            placed = box->frameGeometry();
        }
        box->reject();
    });
    poll.start(10);
    c.open(t);
    poll.stop();

    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(parent, t.main.get());
    if (c.centredOnTheWindow) {
        const QPoint offset = placed.center() - t.main->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << "offset " << offset.x() << ", " << offset.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoxParents,
    ::testing::Values(
        BoxCase{"message box", [](AssembledWindow& t) { t.main->添加穴位图片->trigger(); },
                "QMessageBox", true},
        // Under Wine the toolkit's file dialog lies 38 pixels off centre on the small screen of
        // the tests; what counts here is its parent.
        BoxCase{"open file dialog", [](AssembledWindow& t) { t.main->添加图片->trigger(); },
                "QFileDialog", false},
        BoxCase{"input box",
                [](AssembledWindow& t) {
                    t.ShowImage();
                    t.main->在此添加穴位标志->trigger();
                },
                "penrica::InputDialog", true},
        BoxCase{"quick format window",
                [](AssembledWindow& t) { t.main->配置快捷字符格式->trigger(); },
                "penrica::QuickFormatWindow", false},
        BoxCase{"font style window", [](AssembledWindow& t) { t.main->改变选中字体->trigger(); },
                "penrica::FontStyleWindow", false}),
    CaseName<BoxCase>);

} // namespace
