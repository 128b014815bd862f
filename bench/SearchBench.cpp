// Figures for the acupoint search: 100 images × 500 markers, a one-character text that matches
// often, a text that matches nothing, a pinyin query, and a standard point's code, reading and
// meridian, beside a plain recursive listing of the same tree. Then the name box's suggestions
// over the whole standard table, beside one pass over the table's names.

#include "BenchClock.h"
#include "BenchFolder.h"
#include "markers/core/AcupointSearch.h"
#include "markers/core/MarkerRecord.h"
#include "markers/core/StandardAcupoints.h"
#include "platform/core/Files.h"

#include <filesystem>

using namespace penrica;

int main() {
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-search";
    const ProgramFolder folder = FreshProgramFolder(root);
    const char* names[] = {"印堂", "足三里", "合谷", "太冲", "百会", "肺俞"};
    for (int image = 0; image < 100; ++image) {
        const std::string imageName = "图" + std::to_string(image) + ".jpg";
        CreateFolder(MarkerFolder(folder, imageName));
        WriteSizeFile(folder, imageName, {640, 480});
        for (int m = 1; m < 500; ++m) {
            const std::string record = MakeRecord(m, m, names[m % 6] + std::to_string(m));
            CreateNewFile(MarkerFilePath(folder, imageName, record));
        }
    }
    std::size_t found = 0;
    const double common =
        BestMilliseconds(5, [&] { found = SearchAcupoints(folder, "里", nullptr).size(); });
    const double none =
        BestMilliseconds(5, [&] { found += SearchAcupoints(folder, "无此穴", nullptr).size(); });
    // The first pinyin search turns every name; later ones find the names' pinyin kept.
    const double firstPinyin =
        BestMilliseconds(1, [&] { found += SearchAcupoints(folder, "zsl", nullptr).size(); });
    const double pinyin =
        BestMilliseconds(5, [&] { found += SearchAcupoints(folder, "zsl", nullptr).size(); });
    // Each marker's standard point is worked out once, at the first search that asks.
    const double firstCode =
        BestMilliseconds(1, [&] { found += SearchAcupoints(folder, "ST36", nullptr).size(); });
    const double code =
        BestMilliseconds(5, [&] { found += SearchAcupoints(folder, "ST36", nullptr).size(); });
    const double reading =
        BestMilliseconds(5, [&] { found += SearchAcupoints(folder, "feishu", nullptr).size(); });
    const double meridian =
        BestMilliseconds(5, [&] { found += SearchAcupoints(folder, "胃经", nullptr).size(); });
    const double listing = BestMilliseconds(5, [&] {
        std::size_t files = 0;
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(folder.MarkerRoot())) {
            files += entry.is_regular_file();
        }
        (void)files;
    });
    Report("search 50000 markers for 里", common, "recursive listing", listing);
    Report("search 50000 markers, no match", none, "recursive listing", listing);
    Report("first search by pinyin, zsl", firstPinyin, "recursive listing", listing);
    Report("search by pinyin, zsl", pinyin, "recursive listing", listing);
    Report("first search by code, ST36", firstCode, "recursive listing", listing);
    Report("search by code, ST36", code, "recursive listing", listing);
    Report("search by standard reading, feishu", reading, "recursive listing", listing);
    Report("search by meridian, 胃经", meridian, "recursive listing", listing);
    std::printf("ratios to the listing: code %.2f, reading %.2f, meridian %.2f, pinyin %.2f\n",
                code / listing, reading / listing, meridian / listing, pinyin / listing);

    // The name box: every update suggests over the whole table.
    std::size_t suggested = 0;
    double slowest = 0;
    for (const char* typed : {"z", "zsl", "足", "足三里", "ST3", "st36", "fs", "三", "x"}) {
        const double ms = BestMilliseconds(5, [&] { suggested += SuggestPoints(typed).size(); });
        slowest = std::max(slowest, ms);
    }
    const double table = BestMilliseconds(5, [&] {
        for (const StandardPoint& point : StandardAcupoints().Points()) {
            suggested += NameContains(point.name, "足");
        }
    });
    Report("slowest name box update (limit 5 ms)", slowest, "one pass over the names", table);
    std::printf("rows found: %zu, suggestions: %zu\n", found, suggested);
    std::filesystem::remove_all(root);
    return 0;
}
