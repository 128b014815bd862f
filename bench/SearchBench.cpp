// Figures for the acupoint search: 100 images × 500 markers, a one-character text that matches
// often, a text that matches nothing and a pinyin query, beside a plain recursive listing of the
// same tree.

#include "BenchClock.h"
#include "BenchFolder.h"
#include "markers/core/AcupointSearch.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"

#include <filesystem>

using namespace penrica;

int main() {
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-search";
    const ProgramFolder folder = FreshProgramFolder(root);
    const char* names[] = {"印堂", "足三里", "合谷", "太冲", "百会"};
    for (int image = 0; image < 100; ++image) {
        const std::string imageName = "图" + std::to_string(image) + ".jpg";
        CreateFolder(MarkerFolder(folder, imageName));
        WriteSizeFile(folder, imageName, {640, 480});
        for (int m = 1; m < 500; ++m) {
            const std::string record = MakeRecord(m, m, names[m % 5] + std::to_string(m));
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
    std::printf("rows found: %zu\n", found);
    std::filesystem::remove_all(root);
    return 0;
}
