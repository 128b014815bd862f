#pragma once
// The image panel as a view: zooming about the frame's centre, panning by dragging, the hints
// of the status line, and the hover switch that zooming and the hints turn on and off.

#include "images/ImageState.h"
#include "markers/MarkerState.h"
#include "platform/qt/Services.h"

class QLabel;
class QSlider;
class QTimer;
class QWidget;

namespace penrica {

class DrawPanel;

struct ViewControls {
    DrawPanel* imagePanel; // 画板1
    QWidget* imageFrame;   // 分组框1
    QSlider* zoomSlider;   // 滑块条1
    QLabel* statusLine;    // 标签1
    QTimer* panMonitor;    // 时钟监视鼠标移出
    QWidget* window;       // 主窗口: panning ends when the pointer leaves it,
    QWidget* editor;       // 超级编辑框1: or moves into the editor's width at its right side
};

class ImageView {
public:
    ImageView(ImageState& images, MarkerState& markers, Services& services, ViewControls controls);

    // Left press on the panel starts dragging the image; a release anywhere stops it.
    void StartPanning(int x, int y);
    void StopPanning();
    // A mouse move over the panel: drags while panning, remembers the position for hover, and
    // refreshes the hint every tenth move.
    void MoveOverImage(int x, int y);
    // The pan monitor's tick: panning ends once the pointer is out of the image area.
    void OnPanMonitorTick();
    // The slider moved: scales the panel about the frame's centre and switches hover.
    void ZoomImage(int position);

private:
    void RefreshHint();

    ImageState& images_;
    MarkerState& markers_;
    Services& services_;
    ViewControls c_;
};

} // namespace penrica
