// The main window's own behaviour: panning the image, zooming it, the hints of the status line,
// the mouse-position timer and the editor's popup menu. None of it shows a message.

#include "app/MainWindow.h"

#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTimer>

namespace penrica {

namespace {
constexpr int kPanMonitorPeriod = 200;
constexpr int kHintEveryMoves = 10;
} // namespace

void MainWindow::StartPanning(int x, int y) {
    state_.dragStartX = x;
    state_.dragStartY = y;
    state_.dragging = 1;
    SetTimerPeriod(*时钟监视鼠标移出, kPanMonitorPeriod);
}

void MainWindow::StopPanning() {
    state_.dragging = 0;
    SetTimerPeriod(*时钟监视鼠标移出, 0);
}

void MainWindow::OnImageMouseMove(int x, int y) {
    if (state_.dragging == 1) {
        画板1->move(画板1->x() + x - state_.dragStartX, 画板1->y() + y - state_.dragStartY);
    }
    state_.lastMouseX = x;
    state_.lastMouseY = y;
    RefreshHint();
}

void MainWindow::RefreshHint() {
    state_.moveCount += 1;
    if (state_.moveCount > kHintEveryMoves) {
        state_.moveCount = 0;
    }
    if (state_.moveCount != 1) {
        return;
    }
    if (滑块条1->value() == 滑块条1->maximum()) {
        标签1->setText(QStringLiteral("双击图片穴位显示介绍内容"));
        state_.hoverEnabled = 1;
    } else {
        标签1->setText(QStringLiteral("查看穴位介绍请将图片处于最大位置"));
    }
}

void MainWindow::OnPanMonitorTick() {
    const QPoint mouse = services_.desktop.PointerPosition();
    const QRect window = frameGeometry();
    const int editorWidth = 超级编辑框1->width();
    const bool inside =
        !(mouse.x() < window.left()) && !(mouse.y() < window.top()) &&
        !(mouse.x() - (window.left() + window.width() - editorWidth) > 0) &&
        !(mouse.y() - (window.top() + window.height()) > 0);
    if (!inside) {
        StopPanning();
    }
}

void MainWindow::ZoomImage(int position) {
    const float factor = static_cast<float>(position) * 0.1f;
    float old = state_.zoomFactor;
    if (old == 0.0f) {
        old = 1.0f; // only before the window's creation step has set it
    }
    画板1->resize(static_cast<int>(static_cast<float>(state_.imageWidth) * factor),
                  static_cast<int>(static_cast<float>(state_.imageHeight) * factor));
    auto keepCentre = [&](int frameSize, int start) {
        const int middle = static_cast<int>(frameSize * 0.5);
        const int imagePoint = static_cast<int>(static_cast<float>(middle - start) / old);
        return static_cast<int>(frameSize * 0.5 -
                                static_cast<int>(static_cast<float>(imagePoint) * factor));
    };
    画板1->move(keepCentre(分组框1->width(), 画板1->x()), keepCentre(分组框1->height(), 画板1->y()));
    state_.zoomFactor = factor;
    if (position == 10) {
        标签1->setText(QStringLiteral("现在将鼠标放到相应穴位上，本软件会自动提示。"));
        state_.hoverEnabled = 1;
    } else {
        标签1->setText(QStringLiteral("如果想让软件自动提示穴位，请将图片放到最大"));
        state_.hoverEnabled = 0;
    }
}

void MainWindow::OnMouseTimerTick() {
    if (state_.hoverEnabled != 1) {
        return;
    }
    if (hoverTest) {
        state_.acupointUnderMouse = hoverTest(state_.lastMouseX, state_.lastMouseY);
    } else {
        state_.acupointUnderMouse.clear();
    }
}

void MainWindow::EditorMenu() {
    PopupAtPointer(services_, *编辑框右键);
}

void MainWindow::Paste() { 超级编辑框1->paste(); }

void MainWindow::Copy() { 超级编辑框1->copy(); }

void MainWindow::SelectAll() { 超级编辑框1->selectAll(); }

} // namespace penrica
