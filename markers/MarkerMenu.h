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
    QAction* moveEntry;    // 移动此穴位标志
    QAction* renameEntry;  // 重命名此穴位标志
    QLabel* statusLine;    // 标签1
};

class MarkerMenu {
public:
    MarkerMenu(MarkerState& state, Services& services, MarkerControls controls);

    // Right press on the image: only at full zoom, marks the point and offers add or delete.
    void ShowMarkerMenu(int x, int y);
    void AddMarker();
    // Moves the marker's file to the trash, or deletes it where the drive has no trash.
    void DeleteMarker();

    // 移动此穴位标志: the next left click on the image moves the marker under the mouse there.
    void StartMove();
    // A left press on the image: true when it placed the waiting move, whether or not the move
    // could be made; false when no move waits.
    bool FinishMove(int x, int y);
    // Any other press, the zoom, another image or closing the window: the move waits no more.
    void CancelMove();
    // 重命名此穴位标志: a new name for the marker under the mouse, its introduction kept.
    void RenameMarker();

    // Runs with the new record after its file was created.
    std::function<void(const std::string& record)> onMarkerAdded;
    // Runs after a marker's file took a new record (a move or a new name) in the image on show.
    std::function<void(const std::string& from, const std::string& to)> onMarkerRenamed;

private:
    // Gives the marker file `from` the record `to`, never over another file; tells `failure`
    // with the new path when it cannot.
    void Rename(const std::string& from, const std::string& to, const char* failure);
    std::string PathText(const std::string& record) const;

    MarkerState& state_;
    Services& services_;
    MarkerControls c_;
};

} // namespace penrica
