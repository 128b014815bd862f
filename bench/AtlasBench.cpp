// Figures for penrica-atlas: a library of 100 images (pictures of about 600 KB) with 50 markers
// each, every marker with a styled introduction of 300 characters, written as a site: the first
// run into a new folder with the library's files out of the page cache (as after a restart), then
// the best of five runs over the former atlas; beside it, reading every marker file and picture
// once.

#include "BenchClock.h"
#include "BenchFolder.h"
#include "atlas/AtlasSite.h"
#include "introductions/core/MulticolourText.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "tests/BmpPicture.h"

#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

using namespace penrica;

namespace {

// Drops the files' pages from the page cache (they are on the disk already), so that the next
// read comes from the disk; only these files, nothing else of the machine's cache.
void EvictFromCache(const std::filesystem::path& root) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::fdatasync(fd);
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
    }
}

} // namespace

int main() {
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-atlas";
    std::filesystem::remove_all(root);
    const ProgramFolder folder = FreshProgramFolder(root / "program");

    const CharFormat body{};
    const CharFormat title{"黑体", 14, 0, kBold, 0x0000FF};
    const CharFormat note{"楷体_GB2312", 11, 0, kItalic | kUnderline, 0x008000};
    std::string text; // 2 + 294 + 4 = 300 characters
    for (int i = 0; i < 21; ++i) {
        text += "位于额部，两眉头连线的中点。";
    }
    const std::string introduction =
        EncodeIntroduction(
            {{{"印堂", title}, {"\r\n" + text + "\r\n", body}, {"平刺一寸", note}}, body})
            .bytes;
    const std::string picture = BmpBytes(400, 500); // 600 KB
    for (int image = 0; image < 100; ++image) {
        const std::string name = "图" + std::to_string(image) + ".bmp";
        WriteWholeFile(ImageFile(folder, name), picture);
        CreateFolder(MarkerFolder(folder, name));
        WriteSizeFile(folder, name, {400, 500});
        for (int m = 0; m < 50; ++m) {
            WriteWholeFile(
                MarkerFilePath(folder, name, MakeRecord(m * 5, m * 4, "穴" + std::to_string(m))),
                introduction);
        }
    }

    SiteResult result;
    EvictFromCache(folder.Root());
    const double first =
        BestMilliseconds(1, [&] { result = WriteAtlasSite(folder.Root(), root / "site"); });
    const double again =
        BestMilliseconds(5, [&] { result = WriteAtlasSite(folder.Root(), root / "site"); });
    const double reading = BestMilliseconds(5, [&] {
        std::size_t bytes = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Root())) {
            if (entry.is_regular_file()) {
                bytes += ReadWholeFile(entry.path()).size();
            }
        }
        (void)bytes;
    });
    Report("atlas of 100 images x 50 markers, new, cold", first, "reading every file", reading);
    Report("atlas of 100 images x 50 markers, again, warm", again, "reading every file", reading);
    std::printf("%s\n", SummaryLine(result, root / "site").c_str());
    if (std::getenv("PENRICA_BENCH_KEEP") == nullptr) {
        std::filesystem::remove_all(root);
    }
    return result.error == SiteError::None ? 0 : 1;
}
