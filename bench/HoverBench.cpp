// Figures for one hover tick: an image with 1000 markers on show, the mouse resting on no marker
// (every record is read and none drawn: the tick the timer runs most) and on the last one (its
// circle and name drawn), beside a bare listing of the same marker folder. Goal: a tick within
// 1 ms and within twice the listing.

#include "BenchClock.h"
#include "BenchFolder.h"
#include "markers/HoverTest.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"

#include <QApplication>
#include <QImage>

using namespace penrica;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-hover";
    const ProgramFolder folder = FreshProgramFolder(root);
    const std::string image = "头部.jpg";
    CreateFolder(MarkerFolder(folder, image));
    WriteSizeFile(folder, image, {1000, 1000});
    for (int m = 0; m < 1000; ++m) {
        const int x = 20 + (m % 40) * 24, y = 20 + (m / 40) * 38;
        CreateNewFile(MarkerFilePath(folder, image, MakeRecord(x, y, "穴" + std::to_string(m))));
    }
    const std::vector<std::string> markerFiles = ListMarkerFiles(folder, image);
    const std::optional<MarkerRecord> last = ParseRecord(markerFiles.back());

    DrawPanel panel;
    panel.resize(1000, 1000);
    QImage picture(1000, 1000, QImage::Format_RGB32);
    picture.fill(Qt::white);
    panel.SetBackgroundPicture(picture, BackgroundMode::Centred);
    std::int32_t blink = 0;
    std::size_t hits = 0;
    const int runs = 200;
    const double nowhere = BestMilliseconds(
        runs, [&] { hits += !HoverTest(5, 5, markerFiles, panel, blink).empty(); });
    const double onMarker = BestMilliseconds(runs, [&] {
        hits +=
            !HoverTest(last ? last->x : 0, last ? last->y : 0, markerFiles, panel, blink).empty();
    });
    const double listing = BestMilliseconds(runs, [&] {
        hits += ListFolder(MarkerFolder(folder, image), EntryKind::Files).size() == 0;
    });
    Report("hover tick, 1000 markers, none hit", nowhere, "listing the folder", listing);
    Report("hover tick, 1000 markers, one blinks", onMarker, "listing the folder", listing);
    std::printf("ratio to the listing: %.2f (none hit), %.2f (one blinks); hits %zu\n",
                nowhere / listing, onMarker / listing, hits);
    std::filesystem::remove_all(root);
    return 0;
}
