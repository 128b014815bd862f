// Adding an image: the open dialog, the size from the file header, the copy into the image
// folder, the marker folder with its size file. Every refusal is told in a message box first.

#include "images/ImageLibrary.h"

#include "images/ImageMessages.h"
#include "images/core/ImageHeader.h"
#include "images/core/StripRules.h"
#include "platform/core/Files.h"
#include "platform/core/TextRules.h"
#include "platform/qt/Pictures.h"

#include <QLabel>

namespace penrica {

namespace {
constexpr std::int32_t kWidestAddedImage = 3000;
constexpr const char* kImageFilter = "jpg(jpg)|*.jpg|bmp(bmp)|*.bmp|gif(gif)|*.gif";
} // namespace

PictureSize ImageLibrary::ReadChosenFileSize(const std::filesystem::path& file) {
    const std::string bytes = ReadWholeFile(file);
    if (bytes.empty()) {
        services_.prompts.MessageBox(kUnreadableFile);
        return {};
    }
    return ReadImageSize(bytes);
}

std::string ImageLibrary::AddImage() {
    Prompts& prompts = services_.prompts;
    const std::optional<std::string> chosen = prompts.OpenFile({kImageFilter, "jpg"});
    if (!chosen) {
        return {};
    }
    const std::filesystem::path path = PathFromUtf8(*chosen);
    PictureSize size = ReadChosenFileSize(path);
    if (size.width == 0 || size.height == 0) {
        prompts.MessageBox(kSpecialPicture);
        size = MeasurePicture(path);
    }
    if (size.width > kWidestAddedImage) {
        prompts.MessageBox(kTooWideToAdd);
        return "图片太大";
    }
    if (size.width == 0) {
        prompts.MessageBox(kPictureError);
        return "图片错误";
    }
    // The image name is the last piece of the path, whichever separator the dialog used.
    std::vector<std::string> pieces = SplitText(*chosen, "\\");
    std::string name = pieces.empty() ? std::string() : pieces.back();
    name = PathToUtf8(PathFromUtf8(name).filename());
    const std::filesystem::path target = ImageFile(services_.folder, name);
    if (Exists(target)) {
        prompts.MessageBox(kImageExists);
        return {};
    }
    if (name.empty() || !CopyWholeFile(path, target, services_.folder.Staging())) {
        prompts.MessageBox(kAddImageFailed);
        return {};
    }
    CreateFolder(MarkerFolder(services_.folder, name));
    WriteSizeFile(services_.folder, name, size);
    return "添加成功";
}

void ImageLibrary::AddImageFromMenu() {
    c_.statusLine->setText(QString::fromStdString(AddImage()));
    FillThumbnailStrip();
}

} // namespace penrica
