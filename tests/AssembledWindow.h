#pragma once
// The assembled main window, with its real Bind(), over a small library, driven as a user drives
// it: mouse presses, moves, double-clicks and keys reach the real controls as Qt events (QTest),
// the hover timer ticks on its own, closing comes as the window system's close request, and the
// scripted prompts answer the questions and record them.
//
// The library holds one picture "人体.png" (400 × 300) with two markers and their introductions.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "introductions/core/MulticolourText.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

inline constexpr const char* kImage = "人体.png";
inline constexpr const char* kYintang = "100！80！印堂！";
inline constexpr const char* kHegu = "200！150！合谷！";

// The plain text of stored introduction bytes.
inline std::string PlainText(const std::string& fileBytes) {
    std::string text;
    for (const penrica::StyledRun& run : penrica::DecodeIntroduction(fileBytes).runs) {
        text += run.text;
    }
    return text;
}

// Introduction bytes that hold `text` in the default format.
inline std::string IntroductionBytes(const std::string& text) {
    penrica::StyledText content;
    content.runs.push_back({text, penrica::CharFormat{}});
    return penrica::EncodeIntroduction(content).bytes;
}

struct AssembledWindow : LibraryHarness {
    std::unique_ptr<penrica::MainWindow> main;

    AssembledWindow() {
        AddPicture(kImage, QSize(400, 300), {{kYintang, "印堂在两眉之间"}, {kHegu, "合谷在手背"}});
        Open();
    }

    // A picture in the library with its size file and markers, each with its introduction's
    // text. The strip shows it from the next opening of the main window.
    void AddPicture(const std::string& name, QSize size,
                    const std::vector<std::pair<std::string, std::string>>& markers) {
        using namespace penrica;
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.save(QString::fromStdString(PathToUtf8(ImageFile(services.folder, name))));
        CreateFolder(MarkerFolder(services.folder, name));
        WriteSizeFile(services.folder, name, {size.width(), size.height()});
        for (const auto& [record, text] : markers) {
            WriteWholeFile(MarkerFilePath(services.folder, name, record), IntroductionBytes(text));
        }
    }

    // A new main window, as the start window's button makes one. With HoverTimer::Ticked its
    // hover timer never ticks by itself, only by TickHoverTimer, so that nothing depends on the
    // wall clock.
    enum class HoverTimer { Running, Ticked };
    void Open(HoverTimer hoverTimer = HoverTimer::Running) {
        main = std::make_unique<penrica::MainWindow>(state, services);
        if (hoverTimer == HoverTimer::Ticked) {
            main->时钟定时获取鼠标在画板中的位置->stop();
        }
        main->show();
        QApplication::processEvents();
    }
    // One tick of a timer of the window, through its real binding.
    static void Tick(QTimer* timer) {
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    }
    void TickHoverTimer() { Tick(main->时钟定时获取鼠标在画板中的位置); }

    std::filesystem::path Marker(const char* record) const {
        return penrica::MarkerFilePath(services.folder, kImage, record);
    }
    std::string Stored(const char* record) const {
        return PlainText(penrica::ReadWholeFile(Marker(record)));
    }
    std::string EditorText() const {
        // Qt's plain text ends every line with "\n"; the program's with "\r\n".
        return main->超级编辑框1->toPlainText()
            .replace(QStringLiteral("\n"), QStringLiteral("\r\n"))
            .toStdString();
    }

    // Left press on the first cell of the strip: the picture goes on show.
    void ShowImage() {
        QTest::mousePress(main->画板列表条, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseRelease(main->画板列表条, Qt::LeftButton, {}, QPoint(20, 20));
    }
    // Rests the mouse on the panel point until the hover timer has seen what is there.
    bool PointAt(QPoint p, const std::string& expected) {
        // QTest's own move goes through the cursor and is lost when the cursor is already there.
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(main->画板1->mapToGlobal(p)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(main->画板1, &move);
        return QTest::qWaitFor([&] { return state.acupointUnderMouse == expected; }, 3000);
    }
    bool PointAt(const char* record) {
        const auto marker = penrica::ParseRecord(record);
        return PointAt(QPoint(marker->x, marker->y), record);
    }
    // Double-clicks the marker, as a user opens its introduction.
    void Choose(const char* record) {
        ASSERT_TRUE(PointAt(record)) << record;
        const auto marker = penrica::ParseRecord(record);
        QTest::mouseDClick(main->画板1, Qt::LeftButton, {}, QPoint(marker->x, marker->y));
    }
    // Types each character as a key press and release carrying its text, as a keyboard or an
    // input method's direct commit does.
    static void TypeInto(QWidget* target, const QString& text) {
        for (QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), {});
            QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), {});
        }
    }
    void Type(const QString& text) { TypeInto(main->超级编辑框1, text); }
    // Opens the marker's introduction from the shown picture and types `text` at its end.
    void EditIntroduction(const char* record, const QString& text) {
        ShowImage();
        Choose(record);
        main->超级编辑框1->moveCursor(QTextCursor::End);
        Type(text);
    }
    void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(target, key, modifiers);
    }
    void Click(QWidget* target) {
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }
    // A press as the window system delivers it: to the window first, then to the control under
    // it (Click goes to the control directly).
    static void PressThroughWindow(QWidget* control, QPoint at = {}, int presses = 1) {
        QWidget* top = control->window();
        const QPoint p = control->mapTo(top, at.isNull() ? control->rect().center() : at);
        if (presses == 2) {
            QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, p);
        } else {
            QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, p);
        }
    }
    // What an input method sends: the composition shown under the caret, and a commit.
    static void Compose(QWidget* target, const QString& preedit) {
        QInputMethodEvent event(preedit, {});
        QApplication::sendEvent(target, &event);
    }
    static void Commit(QWidget* target, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(target, &event);
    }
    // The close box, Alt+F4 and the window manager all send this request. True when it closed.
    bool CloseByWindowSystem() {
        main->windowHandle()->close();
        QApplication::processEvents();
        return !main->isVisible();
    }
};
