#include "images/ImageView.h"

#include "images/core/Zoom.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"

#include <QLabel>
#include <QSlider>
#include <QTimer>

namespace penrica {

namespace {
constexpr int kPanMonitorPeriod = 200;
constexpr int kHintEveryMoves = 10;
} // namespace

ImageView::ImageView(ImageState& images, MarkerState& markers, Services& services,
                     ViewControls controls)
    : images_(images), markers_(markers), services_(services), c_(controls) {}

void ImageView::StartPanning(int x, int y) {
    images_.dragStartX = x;
    images_.dragStartY = y;
    images_.dragging = 1;
    SetTimerPeriod(*c_.panMonitor, kPanMonitorPeriod);
}

void ImageView::StopPanning() {
    images_.dragging = 0;
    SetTimerPeriod(*c_.panMonitor, 0);
}

void ImageView::MoveOverImage(int x, int y) {
    DrawPanel& panel = *c_.imagePanel;
    if (images_.dragging == 1) {
        panel.move(panel.x() + x - images_.dragStartX, panel.y() + y - images_.dragStartY);
    }
    markers_.lastMouseX = x;
    markers_.lastMouseY = y;
    RefreshHint();
}

void ImageView::RefreshHint() {
    images_.moveCount += 1;
    if (images_.moveCount > kHintEveryMoves) {
        images_.moveCount = 0;
    }
    // The hint of a marker waiting to be moved stays until the click.
    if (images_.moveCount != 1 || !markers_.movingMarker.empty()) {
        return;
    }
    if (IsFullSize(c_.zoomSlider->value())) {
        c_.statusLine->setText(QStringLiteral("双击图片穴位显示介绍内容"));
        markers_.hoverEnabled = 1;
    } else {
        c_.statusLine->setText(QStringLiteral("查看穴位介绍请将图片处于最大位置"));
    }
}

void ImageView::OnPanMonitorTick() {
    const QPoint mouse = services_.desktop.PointerPosition();
    const QRect window = c_.window->frameGeometry();
    const int editorWidth = c_.editor->width();
    const bool inside = !(mouse.x() < window.left()) && !(mouse.y() < window.top()) &&
                        !(mouse.x() - (window.left() + window.width() - editorWidth) > 0) &&
                        !(mouse.y() - (window.top() + window.height()) > 0);
    if (!inside) {
        StopPanning();
    }
}

void ImageView::ZoomImage(int position) {
    const float factor = ZoomFactor(position);
    float old = images_.zoomFactor;
    if (old == 0.0f) {
        old = 1.0f; // only before the window's creation step has set it
    }
    DrawPanel& panel = *c_.imagePanel;
    panel.resize(static_cast<int>(static_cast<float>(images_.imageWidth) * factor),
                 static_cast<int>(static_cast<float>(images_.imageHeight) * factor));
    auto keepCentre = [&](int frameSize, int start) {
        const int middle = static_cast<int>(frameSize * 0.5);
        const int imagePoint = static_cast<int>(static_cast<float>(middle - start) / old);
        return static_cast<int>(frameSize * 0.5 -
                                static_cast<int>(static_cast<float>(imagePoint) * factor));
    };
    panel.move(keepCentre(c_.imageFrame->width(), panel.x()),
               keepCentre(c_.imageFrame->height(), panel.y()));
    images_.zoomFactor = factor;
    if (IsFullSize(position)) {
        c_.statusLine->setText(QStringLiteral("现在将鼠标放到相应穴位上，本软件会自动提示。"));
        markers_.hoverEnabled = 1;
    } else {
        c_.statusLine->setText(QStringLiteral("如果想让软件自动提示穴位，请将图片放到最大"));
        markers_.hoverEnabled = 0;
    }
}

} // namespace penrica
