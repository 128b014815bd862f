// Figures for the image library: filling the strip with 100 large JPEGs, showing one of them,
// and reloading a marker list of 5000 markers, each beside a baseline from the same run.

#include "BenchClock.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "images/ImageLibrary.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/RichEdit.h"
#include "platform/qt/ScriptedPrompts.h"

#include <QApplication>
#include <QImageReader>

#include <filesystem>

using namespace penrica;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-images";
    std::filesystem::remove_all(root);
    ProgramFolder folder(root);
    CreateFolder(root);
    CreateFolder(folder.ImageFolder());
    CreateFolder(folder.MarkerRoot());

    // One 3000 × 2000 photograph-like JPEG, copied 100 times.
    QImage picture(3000, 2000, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x * y) % 256);
    }
    const auto first = folder.ImageFolder() / "image000.jpg";
    picture.save(QString::fromStdString(first.string()), "JPEG", 85);
    for (int i = 1; i < 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "image%03d.jpg", i);
        CopyWholeFile(first, folder.ImageFolder() / name);
    }
    CreateFolder(MarkerFolder(folder, "image000.jpg"));
    WriteSizeFile(folder, "image000.jpg", {3000, 2000});

    AppState state;
    ScriptedPrompts prompts;
    ScriptedDesktop desktop;
    Services services{prompts, desktop, folder};
    MainWindow main(state, services);
    ImageLibrary lib(state, state, services,
                     ImageControls{main.画板1, main.分组框1, main.滑块条1, main.标签1,
                                   main.画板列表条, main.时钟画板列表条, main.画板列表条右键,
                                   main.超级编辑框1});

    const double fill = BestMilliseconds(3, [&] { lib.FillThumbnailStrip(); });
    const double fullDecode = BestMilliseconds(1, [&] {
        for (const std::string& name : ListFolder(folder.ImageFolder(), EntryKind::Files)) {
            QImageReader reader(QString::fromStdString((folder.ImageFolder() / name).string()));
            (void)reader.read();
        }
    });
    Report("fill strip, 100 JPEGs 3000x2000", fill, "full-size decode of the same files",
           fullDecode);

    const double show = BestMilliseconds(5, [&] { lib.ShowImage("image000.jpg"); });
    const double oneDecode = BestMilliseconds(5, [&] {
        QImageReader reader(QString::fromStdString(first.string()));
        (void)reader.read();
    });
    Report("show one 3000x2000 image", show, "one full-size decode", oneDecode);

    const auto markers = MarkerFolder(folder, "image000.jpg");
    for (int i = 0; i < 5000; ++i) {
        WriteWholeFile(markers / PathFromUtf8(MakeRecord(i, i, "穴位" + std::to_string(i))), "");
    }
    const double reload =
        BestMilliseconds(5, [&] { (void)ReloadMarkerList(folder, "image000.jpg"); });
    const double listing = BestMilliseconds(5, [&] {
        std::size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(markers))
            n += entry.is_regular_file();
        (void)n;
    });
    Report("reload marker list, 5000 markers", reload, "plain folder listing", listing);
    std::filesystem::remove_all(root);
    return 0;
}
