// Faults around saving: every save of the core into a read-only folder or over a read-only file
// reports failure and leaves the old file byte for byte, and a save killed at any moment leaves
// the old or the new file whole, never a mix.

#include "introductions/core/MulticolourText.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/TextCodec.h"
#include "styling/core/ConfigFile.h"
#include "tests/ChildProcess.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

using namespace penrica;

namespace {

// Bytes that differ at every offset between two seeds, zeros and high bytes included.
std::string Pattern(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        b = static_cast<char>(random());
    }
    return bytes;
}

std::vector<std::string> SortedListing(const fs::path& folder) {
    std::vector<std::string> names = ListFolder(folder, EntryKind::Files);
    std::sort(names.begin(), names.end());
    return names;
}

const StyledText kIntroduction{{{"印堂：两眉之间\r\n", CharFormat{"黑体", 12, 0, kBold, 0xFF}}},
                               CharFormat{}};

// One kind of save: the file it replaces, what that file held, and the save itself, which says
// whether it worked.
struct Save {
    const char* name; // for the test's name
    const char* what;
    std::function<fs::path(const ProgramFolder&)> file;
    std::string oldBytes;
    std::function<bool(const ProgramFolder&)> run;
};

const std::string kImage = "头部.jpg";

std::vector<Save> Saves() {
    return {
        {"MarkerFile", "an introduction into its marker file",
         [](const ProgramFolder& p) { return MarkerFilePath(p, kImage, "152！87！印堂！"); },
         EncodeIntroduction({{{"旧的介绍", CharFormat{}}}, CharFormat{}}).bytes,
         [](const ProgramFolder& p) {
             return WriteWholeFile(MarkerFilePath(p, kImage, "152！87！印堂！"),
                                   EncodeIntroduction(kIntroduction).bytes);
         }},
        {"VornFile", "a .vorn file",
         [](const ProgramFolder& p) { return p.Root() / u8"笔记.vorn"; }, Pattern(200000, 1),
         [](const ProgramFolder& p) {
             return WriteWholeFile(p.Root() / u8"笔记.vorn",
                                   EncodeIntroduction(kIntroduction).bytes);
         }},
        {"SizeFile", "a size file",
         [](const ProgramFolder& p) { return MarkerFilePath(p, kImage, kSizeFileName); },
         SizeFileBytes({640, 480}),
         [](const ProgramFolder& p) {
             return WriteSizeFile(p, kImage, {800, 600});
         }},
        {"Image", "an image copied into the library",
         [](const ProgramFolder& p) { return ImageFile(p, kImage); }, Pattern(100000, 2),
         [](const ProgramFolder& p) {
             const fs::path source = p.Root() / "source.jpg";
             return WriteWholeFile(source, Pattern(5000, 3)) &&
                    CopyWholeFile(source, ImageFile(p, kImage));
         }},
        {"ConfigValue", "a value of peizhi.ini",
         [](const ProgramFolder& p) { return p.ConfigFile(); },
         EncodeGbk("配置项=字符格式1\r\n字体名称=宋体\r\n"),
         [](const ProgramFolder& p) {
             return ConfigFile(p.ConfigFile()).WriteConfigItem("字符格式1", "字体名称", "黑体") ==
                    ConfigStatus::Succeeded;
         }},
        {"ConfigSection", "a section of peizhi.ini",
         [](const ProgramFolder& p) { return p.ConfigFile(); },
         EncodeGbk("配置项=字符格式1\r\n字体名称=宋体\r\n"),
         [](const ProgramFolder& p) {
             return ConfigFile(p.ConfigFile()).AddConfigSection("字符格式9") ==
                    ConfigStatus::Succeeded;
         }},
    };
}

enum class ReadOnly { Folder, File };

class ReadOnlySave : public ::testing::TestWithParam<std::tuple<std::size_t, ReadOnly>> {};

TEST_P(ReadOnlySave, ReportsFailureAndKeepsTheOldFile) {
    const Save save = Saves()[std::get<0>(GetParam())];
    const ReadOnly readOnly = std::get<1>(GetParam());
    SCOPED_TRACE(save.what);
    TempFolder dir;
    const ProgramFolder program(dir.path());
    const fs::path file = save.file(program);
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(WriteWholeFile(file, save.oldBytes));
    const fs::path locked = readOnly == ReadOnly::Folder ? file.parent_path() : file;
    const std::vector<std::string> before = SortedListing(file.parent_path());

    if (readOnly == ReadOnly::Folder && !MakeFolderReadOnly(locked)) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(save.run(program));
    EXPECT_TRUE(ReadWholeFile(file) == save.oldBytes) << "the old file changed";
    EXPECT_EQ(SortedListing(file.parent_path()), before) << "a file was left behind";

    // The same save works once the file may be written again, so the failure was the fault's.
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(save.run(program));
    EXPECT_FALSE(ReadWholeFile(file) == save.oldBytes);
}

INSTANTIATE_TEST_SUITE_P(EverySave, ReadOnlySave,
                         ::testing::Combine(::testing::Range<std::size_t>(0, Saves().size()),
                                            ::testing::Values(ReadOnly::Folder, ReadOnly::File)),
                         [](const auto& info) {
                             return std::string(Saves()[std::get<0>(info.param)].name) +
                                    (std::get<1>(info.param) == ReadOnly::Folder
                                         ? "InReadOnlyFolder"
                                         : "OverReadOnlyFile");
                         });

TEST(ReadOnlyConfig, NoFileIsMadeInAReadOnlyFolder) {
    TempFolder dir;
    const ConfigFile config(dir.path() / "peizhi.ini");
    if (!MakeFolderReadOnly(dir.path())) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
    config.EnsureConfigFile();
    config.RestoreFactoryConfig();
    EXPECT_EQ(config.WriteConfigItem("字符格式1", "字体大小", "12"), ConfigStatus::Failed);
    EXPECT_EQ(config.AddConfigSection("字符格式1"), ConfigStatus::Failed);
    EXPECT_TRUE(ListFolder(dir.path(), EntryKind::Files).empty());
}

// The first offset where two byte strings differ, for a readable failure.
std::size_t FirstDifference(const std::string& a, const std::string& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(ia - a.begin());
}

// The two versions that the saving child writes in turn, and the file it writes them to.
struct SaveLoop {
    fs::path root;
    fs::path folder = root / "zhujie" / PathFromUtf8("图.jpg");
    fs::path staging = root / ".penrica-staging";
    fs::path target = folder / PathFromUtf8("1！2！印堂！");
    fs::path ready = root / "ready";
    // Two versions of different sizes, so that a cut or a mix shows in the length as well.
    std::string first = Pattern(6 << 20, 11);
    std::string second = Pattern((5 << 20) + 4321, 12);
};

// The child: saves the two versions in turn until it is killed; says when the first save is done.
const child::ChildJob kSaveLoop("save-loop", [](const std::string& root) {
    const SaveLoop loop{PathFromUtf8(root)};
    for (unsigned i = 0;; ++i) {
        if (!WriteWholeFile(loop.target, i % 2 == 0 ? loop.second : loop.first, loop.staging)) {
            return 2;
        }
        if (i == 0 && !WriteWholeFile(loop.ready, "s")) {
            return 3;
        }
    }
});

TEST(InterruptedSave, KilledAtAnyMomentLeavesOneWholeVersion) {
    TempFolder dir;
    // As a marker file: in a folder that the program lists, with the program's staging folder.
    const SaveLoop loop{dir.path()};
    fs::create_directories(loop.folder);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(WriteWholeFile(loop.target, loop.first, loop.staging));
    const auto saveTime = std::chrono::steady_clock::now() - start;

    std::mt19937 random(std::random_device{}());
    // Kill moments spread over about two saves, so they land in the writing, the flush and the
    // rename alike.
    std::uniform_int_distribution<long long> moment(
        0, std::max<long long>(
               2000, 2 * std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count()));
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        fs::remove(loop.ready);
        child::ChildProcess saver = child::ChildProcess::Job("save-loop", PathToUtf8(dir.path()));
        ASSERT_TRUE(saver.Started());
        ASSERT_TRUE(child::AppearsWithin(loop.ready, std::chrono::seconds(60)))
            << "the child could not save";
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ASSERT_TRUE(saver.Kill()) << "the child stopped saving on its own";

        const std::string now = ReadWholeFile(loop.target);
        EXPECT_TRUE(now == loop.first || now == loop.second)
            << now.size() << " bytes; differs from the first version at "
            << FirstDifference(now, loop.first) << ", from the second at "
            << FirstDifference(now, loop.second);
    }
    // Killed saves leave nothing where the program lists markers, and their leftovers in the
    // staging folder go at the next start.
    EXPECT_EQ(ListFolder(loop.folder, EntryKind::Files), std::vector<std::string>{"1！2！印堂！"});
    ClearStaging(loop.staging);
    EXPECT_TRUE(ListFolder(loop.staging, EntryKind::Files).empty());
}

} // namespace
