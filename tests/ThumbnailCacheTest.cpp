// The strip's thumbnail cache in the assembled program: refills decode only new or changed files,
// and what they draw is what a fill with nothing cached draws.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "images/core/StripRules.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/Pictures.h"

#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace penrica;
using namespace std::chrono_literals;

// Files written just now, or long ago: a recent time cannot tell two writes in one tick apart.
enum class Age { Recent, Old };

struct Library : LibraryHarness {
    std::vector<std::string> decoded;
    std::unique_ptr<MainWindow> main;

    Library() {
        state.thumbnails.SetDecoder([this](const std::vector<std::filesystem::path>& files) {
            for (const auto& file : files)
                decoded.push_back(PathToUtf8(file.filename()));
            return LoadThumbnails(files, QSize(kThumbnailSide, kThumbnailSide));
        });
    }
    std::filesystem::path File(const std::string& name) const {
        return ImageFile(services.folder, name);
    }
    // A BMP: the same size on disk whatever its colour.
    void Put(const std::string& name, QColor colour, Age age) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(PathToUtf8(File(name))), "BMP"));
        if (age == Age::Old)
            std::filesystem::last_write_time(File(name),
                                             std::filesystem::file_time_type::clock::now() - 1h);
    }
    // Each step's decodes, in file names; the record starts empty again.
    std::vector<std::string> Decoded() { return std::exchange(decoded, {}); }
    void Refill() {
        prompts.files.push_back(std::nullopt); // an add attempt, cancelled
        main->添加图片->trigger();
    }
    void Delete(const std::string& name) {
        const auto at = std::find(state.imageNames.begin(), state.imageNames.end(), name);
        ASSERT_NE(at, state.imageNames.end());
        prompts.menuChoices.push_back("是否要删除此图片以及此图片下面所有的标注穴位介绍");
        const int n = static_cast<int>(at - state.imageNames.begin()) + 1;
        QTest::mousePress(main->画板列表条, Qt::RightButton, {}, QPoint(ThumbnailLeft(n), 5));
    }
    QColor Cell(const std::string& name) const {
        const auto at = std::find(state.imageNames.begin(), state.imageNames.end(), name);
        const int n = static_cast<int>(at - state.imageNames.begin()) + 1;
        return main->画板列表条->Image().pixelColor(ThumbnailLeft(n) + 15, kThumbnailTop + 15);
    }
    // The strip as a main window with nothing cached draws it from the same folder.
    QImage FreshStrip() {
        AppState fresh;
        MainWindow other(fresh, services);
        EXPECT_EQ(fresh.imageNames, state.imageNames);
        return other.画板列表条->Image();
    }
};

TEST(ThumbnailCache, RefillDecodesOnlyWhatChangedAndDrawsAsAFreshFill) {
    using Names = std::vector<std::string>;
    for (Age age : {Age::Recent, Age::Old}) {
        SCOPED_TRACE(age == Age::Recent ? "recent files" : "old files");
        Library t;
        t.Put("a.bmp", Qt::red, age);
        t.Put("b.bmp", Qt::green, age);
        WriteWholeFile(t.File("junk.txt"), "not a picture");
        t.main = std::make_unique<MainWindow>(t.state, t.services);
        Names first = t.Decoded();
        std::sort(first.begin(), first.end());
        EXPECT_EQ(first, (Names{"a.bmp", "b.bmp", "junk.txt"}));

        t.Refill(); // nothing changed; the undecodable file is remembered too
        EXPECT_EQ(t.Decoded(), Names{});
        EXPECT_EQ(t.main->画板列表条->Image(), t.FreshStrip());

        // Replaced under the same name with the same size; a recent time may even stay the same.
        const auto before = std::filesystem::last_write_time(t.File("b.bmp"));
        t.Put("b.bmp", Qt::blue, Age::Recent);
        if (age == Age::Recent)
            std::filesystem::last_write_time(t.File("b.bmp"), before);
        t.Refill();
        EXPECT_EQ(t.Decoded(), Names{"b.bmp"});
        EXPECT_EQ(t.Cell("b.bmp"), QColor(Qt::blue));
        EXPECT_EQ(t.main->画板列表条->Image(), t.FreshStrip());

        WriteWholeFile(t.File("junk.txt"), "still not a picture");
        t.Refill();
        EXPECT_EQ(t.Decoded(), Names{"junk.txt"});

        // A deleted file is forgotten: the same bytes with the same time come back decoded.
        const std::string bytes = ReadWholeFile(t.File("a.bmp"));
        const auto time = std::filesystem::last_write_time(t.File("a.bmp"));
        t.Delete("a.bmp");
        ASSERT_FALSE(Exists(t.File("a.bmp")));
        EXPECT_EQ(t.Decoded(), Names{});
        EXPECT_EQ(t.state.thumbnails.Count(), 2u);
        EXPECT_EQ(t.main->画板列表条->Image(), t.FreshStrip());
        WriteWholeFile(t.File("a.bmp"), bytes);
        std::filesystem::last_write_time(t.File("a.bmp"), time);
        t.Refill();
        EXPECT_EQ(t.Decoded(), Names{"a.bmp"});
        EXPECT_EQ(t.Cell("a.bmp"), QColor(Qt::red));
        EXPECT_EQ(t.main->画板列表条->Image(), t.FreshStrip());
    }
}

TEST(ThumbnailCache, AddedImageIsTheOnlyDecodeAndStripMatchesAFreshFill) {
    Library t;
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp"})
        t.Put(name, Qt::darkCyan, Age::Old);
    t.main = std::make_unique<MainWindow>(t.state, t.services);
    t.Decoded();
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    const auto outside = t.folder.path() / u8"新.jpg";
    ASSERT_TRUE(picture.save(QString::fromStdString(PathToUtf8(outside)), "JPEG"));
    t.prompts.files.push_back(PathToUtf8(outside));
    t.main->添加图片->trigger();
    EXPECT_EQ(t.Decoded(), std::vector<std::string>{"新.jpg"});
    EXPECT_EQ(t.state.imageNames.size(), 4u);
    EXPECT_EQ(t.main->画板列表条->Image(), t.FreshStrip());
}

TEST(ThumbnailCache, SecondOpeningOfTheMainWindowDecodesNothing) {
    Library t;
    t.Put("a.bmp", Qt::red, Age::Recent);
    t.Put("b.bmp", Qt::green, Age::Old);
    StartWindow start(t.state, t.services);
    QImage strip;
    start.onMainWindowShown = [&](MainWindow& main) {
        strip = main.画板列表条->Image();
        QTimer::singleShot(0, &main, &QDialog::accept);
    };
    start.按钮1->click();
    EXPECT_EQ(t.Decoded().size(), 2u);
    const QImage first = strip;
    start.按钮1->click();
    EXPECT_EQ(t.Decoded(), std::vector<std::string>{});
    EXPECT_EQ(strip, first);
    EXPECT_EQ(strip.pixelColor(ThumbnailLeft(1) + 15, 17),
              QColor(t.state.imageNames[0] == "a.bmp" ? Qt::red : Qt::green));
}

} // namespace
