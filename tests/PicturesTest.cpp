// Loading and measuring pictures, whole and cut short.

#include "platform/qt/Pictures.h"
#include "TempFolder.h"
#include "platform/core/Files.h"

#include <gtest/gtest.h>

namespace {

TEST(Pictures, EachFormatWholeOrCutShort) {
    struct Case {
        const char* format;
        int keptQuarters; // of the file's bytes
        penrica::PictureSize measured;
        bool loads;
    };
    const Case cases[] = {
        {"PNG", 4, {30, 20}, true},
        {"JPEG", 4, {30, 20}, true},
        {"BMP", 4, {30, 20}, true},
        {"PNG", 1, {0, 0}, false},   // the header is cut
        {"PNG", 3, {30, 20}, false}, // the header is whole, the picture data cut
        {"JPEG", 1, {0, 0}, false},
        // BMP decodes row by row, bottom row first: a cut file gives the rows it holds.
        {"BMP", 1, {30, 20}, true},
    };
    TempFolder folder;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.keptQuarters) + "/4");
        const auto whole = folder.path() / (std::string("p.") + c.format);
        ASSERT_TRUE(picture.save(QString::fromStdString(whole.string()), c.format));
        const std::string bytes = penrica::ReadWholeFile(whole);
        const auto file = folder.path() / "cut";
        ASSERT_TRUE(penrica::WriteWholeFile(
            file, bytes.substr(0, bytes.size() * static_cast<std::size_t>(c.keptQuarters) / 4)));
        EXPECT_EQ(penrica::MeasurePicture(file), c.measured);
        const QImage loaded = penrica::LoadPicture(file);
        ASSERT_EQ(loaded.isNull(), !c.loads);
        if (c.loads) {
            ASSERT_EQ(loaded.size(), QSize(30, 20));
            const QColor bottom = loaded.pixelColor(15, 19);
            EXPECT_TRUE(bottom.green() > 200 && bottom.red() < 60 && bottom.blue() < 60)
                << bottom.name().toStdString();
        }
    }
    EXPECT_TRUE(penrica::LoadPicture(folder.path() / "missing.png").isNull());
    EXPECT_EQ(penrica::MeasurePicture(folder.path() / "missing.png"), penrica::PictureSize{});
}

} // namespace
