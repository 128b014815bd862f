#pragma once
// The image library in the main window: the thumbnail strip, adding and deleting images, and
// showing an image in the image panel. It works on the controls it is handed and on the shared
// state; the window binds its events to these operations.
//
// Index: ImageLibrary.cpp (strip, scrolling, deleting), ImageAdding.cpp (AddImages, AddImage,
// ReadChosenFileSize), ImageShowing.cpp (ShowImage, ShowImageAtAcupoint).

#include "images/ImageState.h"
#include "markers/MarkerState.h"
#include "markers/core/MarkerRecord.h"
#include "platform/qt/Services.h"

#include <filesystem>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QSlider;
class QTimer;
class QWidget;

namespace penrica {

class DrawPanel;

struct ImageControls {
    DrawPanel* imagePanel; // 画板1
    QWidget* imageFrame;   // 分组框1
    QSlider* zoomSlider;   // 滑块条1
    QLabel* statusLine;    // 标签1
    DrawPanel* strip;      // 画板列表条
    QTimer* scrollTimer;   // 时钟画板列表条
    QMenu* stripMenu;      // 画板列表条右键
};

class ImageLibrary {
public:
    ImageLibrary(ImageState& images, MarkerState& markers, Services& services,
                 ImageControls controls);

    // Rebuilds imageNames and the strip from the image folder, in listing order.
    void FillThumbnailStrip();
    // Left press on the strip: the image in the cell under x becomes the image on show. A click
    // past the last cell selects nothing.
    void SelectImageAt(int x);
    // 图形按钮2 scrolls the strip towards the right, 图形按钮1 towards the left.
    void ScrollTowardsRight();
    void ScrollTowardsLeft();
    void OnScrollTick();

    // The menu entry "添加图片": the open dialog takes several files, added by AddImages.
    void AddImageFromMenu();
    // Each file in turn, as files dropped on the window are added, then the refill. One file
    // leaves its result on the status line until the refill replaces it with the image count;
    // several leave the summary in its place. A refusal ends only its own file's attempt, and
    // a long run shows its progress with 取消, which stops before the next file.
    void AddImages(const std::vector<std::string>& files);
    // One file (a UTF-8 path) copied into the library, or a scaled copy of a picture too wide
    // when the user agrees; the status line text, "添加成功" when it was added.
    std::string AddImage(const std::string& file);

    // Right press on the strip: remembers x and shows the strip's popup menu.
    void OnStripRightPress(int x);
    // The popup entry: deletes the image under the remembered x with all its markers, then
    // refills the strip and empties the image panel, whatever the answer.
    void DeleteImage();
    // The image panel shows no image until the user chooses one: its width is 0, and the zoom
    // keeps it so. A size kept from an image shown before would bring that picture back, with
    // its markers, which may have been deleted since, still opening and taking new markers.
    void ShowNoImage();

    void ShowImage(const std::string& name);
    void ShowImageAtAcupoint(const std::string& name, const std::string& record);

private:
    // The chosen file's size from its header; 0 × 0 when unknown. Unlike the header reader, it
    // reads the file and tells the user when the file cannot be read at all.
    PictureSize ReadChosenFileSize(const std::filesystem::path& file);
    // The name in strip cell n (from 1), or nothing when no image sits there.
    const std::string* ImageInCell(int n) const;
    void SetStatus(const std::string& text);

    ImageState& images_;
    MarkerState& markers_;
    Services& services_;
    ImageControls c_;
};

} // namespace penrica
