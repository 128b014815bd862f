// A file's stamp tells a changed file from an unchanged one without reading it, also when a tool
// put the old modification time back on new bytes of the same size.

#include "platform/core/FileStamp.h"
#include "platform/core/Files.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

using namespace penrica;
namespace fs = std::filesystem;

TEST(FileStamp, NewBytesUnderAnOldTimeAreNoticed) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> change; // puts the old time back itself
        bool matches;
    };
    const std::vector<Case> cases = {
        {"unchanged", [](const fs::path&) {}, true},
        {"written in place, time put back",
         [](const fs::path& file) {
             const auto time = fs::last_write_time(file);
             std::ofstream(file, std::ios::binary | std::ios::trunc) << "BBBB";
             fs::last_write_time(file, time);
         },
         false},
        {"replaced by a rename, time put back",
         [](const fs::path& file) {
             const auto time = fs::last_write_time(file);
             ASSERT_TRUE(WriteWholeFile(file, "CCCC"));
             fs::last_write_time(file, time);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const fs::path file = dir.path() / "p.jpg";
        ASSERT_TRUE(WriteWholeFile(file, "AAAA"));
        const auto oldTime = fs::last_write_time(file) - std::chrono::hours(1);
        fs::last_write_time(file, oldTime);
        std::optional<FileStamp> stamp = TakeStamp(file);
        ASSERT_TRUE(stamp);
        // As a stamp taken long after the file was written: no fingerprint to fall back on.
        stamp->fingerprint.reset();
        c.change(file);
        EXPECT_EQ(StillMatches(*stamp, file), c.matches);
    }
}

} // namespace
