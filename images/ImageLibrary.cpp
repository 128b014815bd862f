#include "images/ImageLibrary.h"

#include "images/core/StripRules.h"
#include "platform/core/Files.h"
#include "platform/qt/Colours.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/Trash.h"

#include <QLabel>
#include <QTimer>

namespace penrica {

namespace {
constexpr int kScrollPeriod = 1;
} // namespace

ImageLibrary::ImageLibrary(ImageState& images, MarkerState& markers, Services& services,
                           ImageControls controls)
    : images_(images), markers_(markers), services_(services), c_(controls) {}

void ImageLibrary::SetStatus(const std::string& text) {
    c_.statusLine->setText(QString::fromStdString(text));
}

const std::string* ImageLibrary::ImageInCell(int n) const {
    if (n < 1 || static_cast<std::size_t>(n) > images_.imageNames.size()) {
        return nullptr;
    }
    return &images_.imageNames[static_cast<std::size_t>(n - 1)];
}

void ImageLibrary::FillThumbnailStrip() {
    const std::filesystem::path folder = services_.folder.ImageFolder();
    images_.imageNames = ListFolder(folder, EntryKind::Files);
    DrawPanel& strip = *c_.strip;
    const int count = static_cast<int>(images_.imageNames.size());
    // The strip takes its final width before drawing: a resize rebuilds the panel's image.
    strip.SetBackgroundPicture(QImage(), BackgroundMode::Tiled);
    strip.resize(StripWidth(count), strip.height());
    strip.Clear();
    std::vector<std::filesystem::path> files;
    files.reserve(images_.imageNames.size());
    for (const std::string& name : images_.imageNames) {
        files.push_back(folder / PathFromUtf8(name));
    }
    const std::vector<QImage> thumbnails = images_.thumbnails.Thumbnails(files);
    for (int n = 1; n <= count; ++n) {
        strip.DrawPicture(thumbnails[static_cast<std::size_t>(n - 1)], ThumbnailLeft(n),
                          kThumbnailTop, kThumbnailSide, kThumbnailSide);
    }
    // Clearing the strip later brings the thumbnails back.
    strip.SetBackgroundPicture(strip.Image(), BackgroundMode::Tiled);
    SetStatus(ImageCountText(images_.imageNames.size()));
}

void ImageLibrary::SelectImageAt(int x) {
    const int n = CellAt(x);
    const std::string* name = ImageInCell(n);
    if (name == nullptr) {
        return;
    }
    markers_.currentImage = *name;
    DrawPanel& strip = *c_.strip;
    strip.Clear();
    strip.SetPenWidth(2);
    strip.SetPenColour(kBlue);
    strip.Line(kCellWidth * (n - 1), 0, kCellWidth * (n - 1), kStripHeight);
    strip.Line(kCellWidth * n, 0, kCellWidth * n, kStripHeight);
    SetStatus(SelectedImageText(*name, images_.imageNames.size()));
    ShowImage(markers_.currentImage);
    markers_.markerFiles = ListMarkerFiles(services_.folder, markers_.currentImage);
    markers_.hoverEnabled = 1;
}

void ImageLibrary::ScrollTowardsRight() {
    images_.scrollDirection = "右";
    SetTimerPeriod(*c_.scrollTimer, kScrollPeriod);
}

void ImageLibrary::ScrollTowardsLeft() {
    images_.scrollDirection = "左";
    SetTimerPeriod(*c_.scrollTimer, kScrollPeriod);
}

void ImageLibrary::OnScrollTick() {
    const ScrollDirection direction = images_.scrollDirection == "左"   ? ScrollDirection::Left
                                      : images_.scrollDirection == "右" ? ScrollDirection::Right
                                                                        : ScrollDirection::None;
    DrawPanel& strip = *c_.strip;
    const ScrollPosition next =
        ScrollStep(direction, strip.x(), strip.width(), images_.scrollTicks);
    strip.move(next.left, strip.y());
    images_.scrollTicks = next.ticks;
    if (next.stopTimer) {
        SetTimerPeriod(*c_.scrollTimer, 0);
    }
}

void ImageLibrary::OnStripRightPress(int x) {
    images_.stripRightClickX = x;
    PopupAtPointer(services_, *c_.stripMenu);
}

void ImageLibrary::DeleteImage() {
    std::string refused; // told past the refill, which puts the image count there
    // Past the last cell there is no image: an empty name would name the whole marker root.
    if (const std::string* found = ImageInCell(CellAt(images_.stripRightClickX))) {
        const std::string name = *found;
        if (services_.prompts.MessageBox(DeleteQuestion(name), Buttons::OkCancel) == Answer::Ok) {
            // Into the trash, the marker folder whole and then the picture, where the drive
            // has one. Introductions that cannot go (a read-only folder) keep their picture,
            // and the status line says so past the refill.
            const std::filesystem::path markers = MarkerFolder(services_.folder, name);
            RemoveFolder(markers);
            if (Exists(markers)) {
                refused = DeleteMarkersText(name, Deletion::Failed);
            } else {
                const bool deleted =
                    RemoveFile(ImageFile(services_.folder, name)) != Removal::Failed;
                SetStatus(DeleteMarkersText(name, Deletion::Done) +
                          DeleteImageText(name, deleted ? Deletion::Done : Deletion::Failed));
            }
        }
    }
    FillThumbnailStrip();
    ShowNoImage();
    if (!refused.empty()) {
        SetStatus(refused);
    }
}

void ImageLibrary::ShowNoImage() {
    c_.imagePanel->resize(0, c_.imagePanel->height());
    images_.imageWidth = 0;
    images_.imageHeight = 0;
}

} // namespace penrica
