// Adding images, chosen in the open dialog (several at once) or dropped on the window: for each
// file the size from its header, the copy into the image folder, the marker folder with its
// size file. A picture too wide is offered scaled down; its copy is then a smaller picture in
// the file's own format, written whole, and the chosen file is only ever read. Every refusal is
// told in a message box first and ends only its own file's attempt.

#include "images/ImageLibrary.h"

#include "images/ImageMessages.h"
#include "images/core/AddingRules.h"
#include "images/core/ImageHeader.h"
#include "images/core/StripRules.h"
#include "platform/core/Files.h"
#include "platform/core/TextRules.h"
#include "platform/qt/Controls.h"
#include "platform/qt/Pictures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>

#include <memory>

namespace penrica {

namespace {

constexpr const char* kImageFilter = "jpg(jpg)|*.jpg|bmp(bmp)|*.bmp|gif(gif)|*.gif";
constexpr const char* kAdded = "添加成功";
// A run of several files shows its progress once it has taken this long.
constexpr qint64 kProgressDelayMs = 500;

// The progress of a run of several files. A short run shows nothing, so no dialog flashes by,
// and the dialog appears only between two files, never over a question about one: a modal
// window shown later would block that question.
class AddingProgress {
public:
    AddingProgress(QWidget& window, std::size_t files) : window_(window), files_(files) {
        clock_.start();
    }

    // Before the next file, with `done` files tried: false once 取消 was pressed.
    bool GoOn(std::size_t done) {
        if (!dialog_ && clock_.elapsed() >= kProgressDelayMs) {
            dialog_ = NewProgressDialog(QStringLiteral("正在添加图片……"),
                                        QStringLiteral("添加图片"), window_);
            dialog_->setMaximum(static_cast<int>(files_));
            dialog_->show();
        }
        if (!dialog_) {
            return true;
        }
        dialog_->setValue(static_cast<int>(done));
        // The dialog keeps every other window from input; a press on 取消 arrives here.
        QApplication::processEvents();
        return !dialog_->wasCanceled();
    }

private:
    QWidget& window_;
    std::size_t files_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

// The last piece of the path, whichever separator it was given with.
std::string ImageNameOf(const std::string& chosen) {
    std::vector<std::string> pieces = SplitText(chosen, "\\");
    const std::string name = pieces.empty() ? std::string() : pieces.back();
    return PathToUtf8(PathFromUtf8(name).filename());
}

} // namespace

PictureSize ImageLibrary::ReadChosenFileSize(const std::filesystem::path& file) {
    const std::string bytes = ReadWholeFile(file);
    if (bytes.empty()) {
        services_.prompts.MessageBox(kUnreadableFile);
        return {};
    }
    return ReadImageSize(bytes);
}

std::string ImageLibrary::AddImage(const std::string& chosen) {
    Prompts& prompts = services_.prompts;
    const std::filesystem::path path = PathFromUtf8(chosen);
    PictureSize size = ReadChosenFileSize(path);
    if (size.width == 0 || size.height == 0) {
        prompts.MessageBox(kSpecialPicture);
        size = MeasurePicture(path);
    }
    PictureSize stored = size;
    if (IsTooWideToAdd(size)) {
        // A format that cannot be written (GIF) is refused as before, never stored as another.
        if (!CanRewritePicture(path) ||
            prompts.MessageBox(ScaleOffer(size), Buttons::OkCancel) != Answer::Ok) {
            prompts.MessageBox(kTooWideToAdd);
            return kTooWideToAdd;
        }
        stored = ScaledToAdd(UprightSize(path, size));
    }
    if (size.width == 0) {
        prompts.MessageBox(kPictureError);
        return "图片错误";
    }
    const std::string name = ImageNameOf(chosen);
    const std::filesystem::path target = ImageFile(services_.folder, name);
    if (Exists(target)) {
        prompts.MessageBox(kImageExists);
        return {};
    }
    if (name.empty()) {
        prompts.MessageBox(kAddImageFailed);
        return {};
    }
    bool written = false;
    if (stored == size) {
        written = CopyWholeFile(path, target, services_.folder.Staging());
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string scaled = ScaledPictureBytes(path, QSize(stored.width, stored.height));
        QApplication::restoreOverrideCursor();
        if (scaled.empty()) {
            prompts.MessageBox(kPictureError);
            return "图片错误";
        }
        written = WriteWholeFile(target, scaled, services_.folder.Staging());
    }
    if (!written) {
        prompts.MessageBox(kAddImageFailed);
        return {};
    }
    CreateFolder(MarkerFolder(services_.folder, name));
    WriteSizeFile(services_.folder, name, stored);
    return kAdded;
}

void ImageLibrary::AddImages(const std::vector<std::string>& files) {
    if (files.size() <= 1) {
        SetStatus(files.empty() ? std::string() : AddImage(files.front()));
        FillThumbnailStrip();
        return;
    }
    std::size_t added = 0;
    {
        AddingProgress progress(*c_.statusLine->window(), files.size());
        for (std::size_t i = 0; i < files.size() && progress.GoOn(i); ++i) {
            added += AddImage(files[i]) == kAdded ? 1 : 0;
        }
    }
    FillThumbnailStrip();
    SetStatus(AddedSummaryText(added, files.size() - added));
}

void ImageLibrary::AddImageFromMenu() {
    AddImages(services_.prompts.OpenFiles({kImageFilter, "jpg"}));
}

} // namespace penrica
