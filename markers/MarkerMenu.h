#pragma once
// Adding and deleting markers from the image panel's popup menu. A marker is an empty file whose
// name is its record; adding never replaces an existing file, so no introduction is lost.

#include "markers/MarkerState.h"
#include "platform/qt/Services.h"

#include <functional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QSlider;

namespace penrica {

class DrawPanel;

struct MarkerControls {
    DrawPanel* imagePanel; // 画板1
    QSlider* zoomSlider;   // 滑块条1
    QMenu* panelMenu;      // 画板右键
    QAction* addEntry;     // 在此添加穴位标志
    QAction* deleteEntry;  // 删除此穴位标志
    QLabel* statusLine;    // 标签1
};

class MarkerMenu {
public:
    MarkerMenu(MarkerState& state, Services& services, MarkerControls controls);

    // Right press on the image: only at full zoom, marks the point and offers add or delete.
    void ShowMarkerMenu(int x, int y);
    void AddMarker();
    void DeleteMarker();

    // Runs with the new record after its file was created.
    std::function<void(const std::string& record)> onMarkerAdded;

private:
    MarkerState& state_;
    Services& services_;
    MarkerControls c_;
};

} // namespace penrica
