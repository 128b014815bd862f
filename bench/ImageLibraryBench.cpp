// Figures for the image library, each beside a baseline from the same run: filling the strip
// with 100 photograph-like JPEGs of 3000 × 2000 (against decoding them at 1/8 scale on one core
// and on two), the refills after adding, deleting and replacing an image, a second opening of
// the main window, showing one image, and reloading a marker list of 5000 markers.

#include "BenchClock.h"
#include "BenchFolder.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "images/ImageLibrary.h"
#include "images/ThumbnailCache.h"
#include "images/core/StripRules.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/RichEdit.h"
#include "tests/support/ScriptedPrompts.h"

#include <QApplication>
#include <QImageReader>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <malloc.h>
#include <random>
#include <thread>

using namespace penrica;
using namespace std::chrono_literals;

namespace {

constexpr int kPhotos = 100;
constexpr int kRuns = 3;

double Milliseconds(const std::function<void()>& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// A smooth picture (large soft colour areas, medium and fine detail) with sensor-like noise on
// every pixel: it compresses like a photograph, unlike a synthetic pattern.
QImage Photograph(unsigned seed) {
    std::mt19937 random(seed);
    auto layer = [&](int w, int h, int low, int high) {
        QImage small(w, h, QImage::Format_RGB32);
        std::uniform_int_distribution<int> value(low, high);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                small.setPixel(x, y, qRgb(value(random), value(random), value(random)));
        return small.scaled(3000, 2000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    QImage picture = layer(8, 6, 20, 235);
    const QImage detail = layer(150, 100, -24 + 128, 24 + 128);
    const QImage fine = layer(750, 500, -16 + 128, 16 + 128);
    std::uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const auto* texture = reinterpret_cast<const QRgb*>(detail.constScanLine(y));
        const auto* grain = reinterpret_cast<const QRgb*>(fine.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            auto channel = [&](int base, int shade, int detail, int shift) {
                const int noise = static_cast<int>((state >> shift) & 15) - 8; // about ±8 levels
                return std::clamp(base + shade + detail - 256 + noise, 0, 255);
            };
            const QRgb p = line[x], t = texture[x], g = grain[x];
            line[x] = qRgb(channel(qRed(p), qRed(t), qRed(g), 0),
                           channel(qGreen(p), qGreen(t), qGreen(g), 8),
                           channel(qBlue(p), qBlue(t), qBlue(g), 16));
        }
    }
    return picture;
}

void SavePhotograph(unsigned seed, const std::filesystem::path& file) {
    Photograph(seed).save(QString::fromStdString(PathToUtf8(file)), "JPEG", 90);
}

// Runs work(i) for i in [0, count) on `threads` threads.
void OnThreads(int threads, int count, const std::function<void(int)>& work) {
    std::atomic<int> next{0};
    auto run = [&] {
        for (int i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::thread> others;
    for (int t = 1; t < threads; ++t)
        others.emplace_back(run);
    run();
    for (std::thread& thread : others)
        thread.join();
}

void Ratio(const char* what, double ms, const char* baselineWhat, double baselineMs,
           double target = 0) {
    std::printf("%-46s %8.2f ms = %6.3f x %s (%.2f ms)", what, ms, ms / baselineMs, baselineWhat,
                baselineMs);
    if (target > 0)
        std::printf("   target <= %.2f: %s", target, ms / baselineMs <= target ? "met" : "MISSED");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-images";
    const ProgramFolder folder = FreshProgramFolder(root);
    CreateFolder(root / "outside");

    std::vector<std::string> names;
    for (int i = 0; i < kPhotos; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "photo%03d.jpg", i);
        names.push_back(name);
    }
    OnThreads(2, kPhotos, [&](int i) {
        SavePhotograph(static_cast<unsigned>(i + 1), folder.ImageFolder() / names[i]);
    });
    std::uintmax_t bytes = 0;
    for (const std::string& name : names) {
        const auto file = folder.ImageFolder() / name;
        bytes += std::filesystem::file_size(file);
        // A library holds pictures from before this run; a file written this very moment is
        // checked by its content at the next refill (see FileStamp.h).
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - 1h);
        CreateFolder(MarkerFolder(folder, name));
        WriteSizeFile(folder, name, {3000, 2000});
        (void)ReadWholeFile(file); // in the page cache, as for every measurement below
    }
    std::printf("%d photograph-like JPEGs of 3000x2000, %.2f MB each on average\n\n", kPhotos,
                static_cast<double>(bytes) / kPhotos / 1e6);

    std::vector<std::filesystem::path> files;
    for (const std::string& name : names)
        files.push_back(folder.ImageFolder() / name);
    auto decodeEighth = [&](int threads) {
        OnThreads(threads, kPhotos, [&](int i) {
            QImageReader reader(QString::fromStdString(PathToUtf8(files[i])));
            reader.setScaledSize(QSize(375, 250));
            (void)reader.read();
        });
    };
    const double oneCore = BestMilliseconds(kRuns, [&] { decodeEighth(1); });
    const double twoCores = BestMilliseconds(kRuns, [&] { decodeEighth(2); });

    AppState state;
    ScriptedPrompts prompts;
    ScriptedDesktop desktop;
    Services services{prompts, desktop, folder};
    MainWindow main(state, services); // its creation fills the strip: the cache is now warm
    const ImageControls controls{main.画板1,         main.分组框1,    main.滑块条1,
                                 main.标签1,         main.画板列表条, main.时钟画板列表条,
                                 main.画板列表条右键};
    ImageLibrary lib(state, state, services, controls);

    double firstFill = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        ImageState cold; // nothing cached
        ImageLibrary coldLib(cold, state, services, controls);
        firstFill = std::min(firstFill, Milliseconds([&] { coldLib.FillThumbnailStrip(); }));
    }
    Ratio("first fill, nothing cached", firstFill, "1/8-scale decode, one core", oneCore);
    Ratio("first fill, nothing cached", firstFill, "1/8-scale decode, two cores", twoCores);

    double refillAdded = 1e300, refillDeleted = 1e300, wholeAdd = 1e300, wholeDelete = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        // Refills alone, after the folder changed as adding and deleting change it.
        const auto added = root / "outside" / ("added" + std::to_string(run) + ".jpg");
        SavePhotograph(1000u + static_cast<unsigned>(run), added);
        if (lib.AddImage(PathToUtf8(added)) != "添加成功")
            std::printf("adding %s failed\n", PathToUtf8(added).c_str());
        refillAdded = std::min(refillAdded, Milliseconds([&] { lib.FillThumbnailStrip(); }));
        DeleteFolderTree(MarkerFolder(folder, state.imageNames[1]));
        DeleteFile(ImageFile(folder, state.imageNames[1]));
        refillDeleted = std::min(refillDeleted, Milliseconds([&] { lib.FillThumbnailStrip(); }));

        // The same through the main window's menus, as the user waits for them.
        const auto other = root / "outside" / ("other" + std::to_string(run) + ".jpg");
        SavePhotograph(2000u + static_cast<unsigned>(run), other);
        prompts.files.push_back(PathToUtf8(other));
        wholeAdd = std::min(wholeAdd, Milliseconds([&] { main.添加图片->trigger(); }));
        prompts.menuChoices.push_back("是否要删除此图片以及此图片下面所有的标注穴位介绍");
        wholeDelete = std::min(
            wholeDelete, Milliseconds([&] { main.画板列表条->onRightPress(ThumbnailLeft(1), 5); }));
    }
    Ratio("refill after one image was added", refillAdded, "first fill", firstFill, 0.05);
    Ratio("refill after one image was deleted", refillDeleted, "first fill", firstFill, 0.02);
    Ratio("add from the menu (copy, size file, refill)", wholeAdd, "first fill", firstFill);
    Ratio("delete from the menu (folders, refill)", wholeDelete, "first fill", firstFill);

    // Replaced under the same name by a different picture.
    const std::string replaced = state.imageNames[4];
    const QImage before = LoadThumbnail(ImageFile(folder, replaced), QSize(30, 30));
    SavePhotograph(3000u, root / "outside" / "replacement.jpg");
    CopyWholeFile(root / "outside" / "replacement.jpg", ImageFile(folder, replaced));
    const double refillReplaced = Milliseconds([&] { lib.FillThumbnailStrip(); });
    const auto at = std::find(state.imageNames.begin(), state.imageNames.end(), replaced);
    const int cell = static_cast<int>(at - state.imageNames.begin()) + 1;
    const QImage shown = main.画板列表条->Image().copy(ThumbnailLeft(cell), kThumbnailTop,
                                                       kThumbnailSide, kThumbnailSide);
    const QImage expected =
        LoadThumbnail(ImageFile(folder, replaced), QSize(30, 30)).convertToFormat(shown.format());
    Ratio("refill after one file was replaced", refillReplaced, "first fill", firstFill);
    std::printf("  the strip shows the new picture: %s (and not the old one: %s)\n",
                shown == expected ? "yes" : "NO",
                shown != before.convertToFormat(shown.format()) ? "yes" : "NO");

    // From the start window's click to the main window with its strip filled.
    double firstOpening = 1e300, secondOpening = 1e300;
    for (int run = 0; run < 2; ++run) {
        AppState appState; // a program run of its own: nothing cached yet
        StartWindow start(appState, services);
        std::chrono::steady_clock::time_point filled;
        start.onMainWindowShown = [&](MainWindow& window) {
            filled = std::chrono::steady_clock::now();
            const int count = static_cast<int>(appState.imageNames.size());
            if (count < kPhotos || window.画板列表条->width() != StripWidth(count))
                std::printf("the strip is not filled\n");
            QTimer::singleShot(0, &window, &QDialog::accept);
        };
        for (double* best : {&firstOpening, &secondOpening}) {
            const auto click = std::chrono::steady_clock::now();
            start.按钮1->click();
            *best =
                std::min(*best, std::chrono::duration<double, std::milli>(filled - click).count());
        }
    }
    Ratio("second opening of the main window", secondOpening, "first opening", firstOpening, 0.10);
    std::printf("\n");

    const auto first = ImageFile(folder, state.imageNames[0]);
    const double show = BestMilliseconds(5, [&] { lib.ShowImage(state.imageNames[0]); });
    const double oneDecode = BestMilliseconds(5, [&] {
        QImageReader reader(QString::fromStdString(PathToUtf8(first)));
        (void)reader.read();
    });
    Report("show one 3000x2000 image", show, "one full-size decode", oneDecode);

    const auto markers = MarkerFolder(folder, state.imageNames[0]);
    for (int i = 0; i < 5000; ++i) {
        WriteWholeFile(markers / PathFromUtf8(MakeRecord(i, i, "穴位" + std::to_string(i))), "");
    }
    const double reload =
        BestMilliseconds(5, [&] { (void)ListMarkerFiles(folder, state.imageNames[0]); });
    const double listing = BestMilliseconds(5, [&] {
        std::size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(markers))
            n += entry.is_regular_file();
        (void)n;
    });
    Report("reload marker list, 5000 markers", reload, "plain folder listing", listing);

    // The cache's memory for a library of 10000 images: heap in use, against the pixels alone.
    const auto many = root / "many";
    CreateFolder(many);
    std::vector<std::filesystem::path> manyFiles;
    for (int i = 0; i < 10000; ++i) {
        manyFiles.push_back(many / ("a fairly long image name " + std::to_string(i) + ".jpg"));
        WriteWholeFile(manyFiles.back(), "x");
    }
    {
        ThumbnailCache cache;
        cache.SetDecoder([](const std::vector<std::filesystem::path>& decode) {
            std::vector<QImage> thumbnails;
            for (std::size_t i = 0; i < decode.size(); ++i) {
                thumbnails.emplace_back(kThumbnailSide, kThumbnailSide, QImage::Format_RGB32);
                thumbnails.back().fill(static_cast<uint>(i));
            }
            return thumbnails;
        });
        const std::size_t heapBefore = mallinfo2().uordblks;
        (void)cache.Thumbnails(manyFiles);
        const double heap = static_cast<double>(mallinfo2().uordblks - heapBefore);
        const double pixels = 10000.0 * kThumbnailSide * kThumbnailSide * 4;
        std::printf("thumbnail cache, 10000 images: %zu cached, %.1f MB = %.3f x their pixels "
                    "(%.1f MB)\n",
                    cache.Count(), heap / 1e6, heap / pixels, pixels / 1e6);
    }
    std::filesystem::remove_all(root);
    return 0;
}
