// Showing an image: the picture becomes the panel's background, the panel takes the size from
// the size file (repairing a missing or damaged one from the picture) and is centred in its
// frame. Images above 4000 pixels on a side keep the panel as it was.

#include "images/ImageLibrary.h"

#include "images/ImageMessages.h"
#include "images/core/Zoom.h"
#include "platform/core/Files.h"
#include "platform/qt/Colours.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/Pictures.h"

#include <QSignalBlocker>
#include <QSlider>

namespace penrica {

namespace {
constexpr std::int32_t kLargestShownSide = 4000;
constexpr int kRingRadius = 25;
constexpr int kRingPenWidth = 10;
constexpr int kTargetX = 250;
constexpr int kTargetY = 200;
} // namespace

void ImageLibrary::ShowImage(const std::string& name) {
    Prompts& prompts = services_.prompts;
    DrawPanel& panel = *c_.imagePanel;
    const std::filesystem::path file = ImageFile(services_.folder, name);
    panel.SetBackgroundPicture(LoadPicture(file), BackgroundMode::Centred);
    PictureSize size = ReadSizeFile(services_.folder, name);
    if (size.width == 0 || size.height == 0) {
        prompts.MessageBox(kSizeRepaired);
        size = MeasurePicture(file);
        if (size.width == 0 || size.height == 0) {
            prompts.MessageBox(kSizeUnrepairable);
        } else {
            WriteSizeFile(services_.folder, name, size);
        }
    }
    if (size.width > kLargestShownSide || size.height > kLargestShownSide) {
        prompts.MessageBox(kTooWideToShow);
    } else {
        panel.resize(size.width, size.height);
        const QWidget& frame = *c_.imageFrame;
        panel.move(static_cast<int>(frame.width() * 0.5 - panel.width() * 0.5),
                   static_cast<int>(frame.height() * 0.5 - panel.height() * 0.5));
        images_.imageWidth = panel.width();
        images_.imageHeight = panel.height();
    }
    // Back to full size without running the zoom.
    const QSignalBlocker blocker(c_.zoomSlider);
    c_.zoomSlider->setValue(kFullSize);
}

void ImageLibrary::ShowImageAtAcupoint(const std::string& name, const std::string& record) {
    markers_.currentImage = name;
    markers_.markerFiles = ListMarkerFiles(services_.folder, markers_.currentImage);
    ShowImage(name);
    const std::optional<MarkerRecord> marker = ParseRecord(record);
    if (!marker) {
        services_.prompts.MessageBox(kBadRecord + record);
        return;
    }
    DrawPanel& panel = *c_.imagePanel;
    panel.SetPenWidth(kRingPenWidth);
    panel.SetPenColour(kBlue);
    panel.EllipseOutline(marker->x - kRingRadius, marker->y - kRingRadius, marker->x + kRingRadius,
                         marker->y + kRingRadius);
    panel.move(kTargetX - marker->x, kTargetY - marker->y);
    panel.SetPenColour(0);
    panel.SetPenWidth(1);
}

} // namespace penrica
