#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"

#include "platform/core/SystemCalls.h"
#include "tests/ChildProcess.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

using namespace penrica;

namespace {

TEST(WholeFile, WriteThenReadGivesTheBytes) {
    TempFolder dir;
    std::string bytes("a\0b\xFF", 4);
    ASSERT_TRUE(WriteWholeFile(dir.path() / "f", bytes));
    EXPECT_EQ(ReadWholeFile(dir.path() / "f"), bytes);
    ASSERT_TRUE(WriteWholeFile(dir.path() / "f", "new"));
    EXPECT_EQ(ReadWholeFile(dir.path() / "f"), "new");
    EXPECT_EQ(ReadWholeFile(dir.path() / "missing"), "");
    EXPECT_EQ(ReadWholeFile(dir.path()), "");
}

TEST(WholeFile, FailedWriteLeavesTheOldFile) {
    TempFolder dir;
    fs::path file = dir.path() / "keep";
    ASSERT_TRUE(WriteWholeFile(file, "old"));

    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(WriteWholeFile(file, "new"));
    EXPECT_EQ(ReadWholeFile(file), "old");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);

    if (!MakeFolderReadOnly(dir.path())) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
    EXPECT_FALSE(WriteWholeFile(file, "new"));
    EXPECT_FALSE(WriteWholeFile(dir.path() / "other", "x"));
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadWholeFile(file), "old");
    EXPECT_FALSE(Exists(dir.path() / "other"));

    EXPECT_FALSE(WriteWholeFile(dir.path() / "no-such-folder" / "f", "x"));
}

TEST(WholeFile, LeavesNoTemporaryFiles) {
    TempFolder dir;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WriteWholeFile(dir.path() / "f", std::string(1000, 'x')));
    }
    EXPECT_EQ(ListFolder(dir.path(), EntryKind::Files), std::vector<std::string>{"f"});
}

TEST(WholeFile, TemporaryFilesStayInTheStagingFolder) {
    TempFolder dir;
    const fs::path staging = dir.path() / "staging";
    const fs::path folder = dir.path() / "markers";
    fs::create_directories(folder);
    // A name near the file system's limit still leaves room for the temporary file's name.
    const std::string longName(250, 'n');
    for (const std::string& name : {std::string("1！2！印堂！"), longName}) {
        ASSERT_TRUE(WriteWholeFile(folder / PathFromUtf8(name), "text", staging)) << name;
        ASSERT_TRUE(CopyWholeFile(folder / PathFromUtf8(name), folder / "copy", staging));
    }
    std::vector<std::string> names = ListFolder(folder, EntryKind::Files);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1！2！印堂！", "copy", longName}));
    EXPECT_TRUE(ListFolder(staging, EntryKind::Files).empty());
}

TEST(WholeFile, AStagingFolderThatCannotServeIsReplacedByOneInsideTheTargetsFolder) {
    struct Case {
        const char* name;
        std::function<fs::path(const fs::path& dir)> staging; // makes the situation
        bool usedAsGiven;
    };
    const std::vector<Case> cases = {
        {"usable", [](const fs::path& dir) { return dir / ".staging"; }, true},
        {"a file of that name",
         [](const fs::path& dir) {
             WriteWholeFile(dir / ".staging", "x");
             return dir / ".staging";
         },
         false},
        {"cannot be made",
         [](const fs::path& dir) {
             fs::create_directories(dir / "locked");
             fs::permissions(dir / "locked", fs::perms::owner_write, fs::perm_options::remove);
             return dir / "locked" / ".staging";
         },
         false},
        {"on another file system",
         [](const fs::path&) {
             // Shared memory is a file system of its own on Linux; elsewhere this is like "usable".
             const fs::path shm = "/dev/shm";
             const fs::path staging = shm / ("penrica-test-" + std::to_string(system::ProcessId()));
             return staging;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const fs::path folder = dir.path() / "markers";
        fs::create_directories(folder);
        const fs::path staging = c.staging(dir.path());
        if (std::string(c.name) == "cannot be made" && IsFolder(dir.path() / "locked") &&
            !MakeFolderReadOnly(dir.path() / "locked")) {
            continue; // kNoReadOnlyFolders
        }
        if (std::string(c.name) == "on another file system") {
            if (!IsFolder("/dev/shm") || system::SameFileSystem("/dev/shm", dir.path())) {
                continue;
            }
        }
        ASSERT_TRUE(WriteWholeFile(folder / u8"1！2！印堂！", "text", staging));
        EXPECT_EQ(ReadWholeFile(folder / u8"1！2！印堂！"), "text");
        EXPECT_EQ(ListFolder(folder, EntryKind::Files), std::vector<std::string>{"1！2！印堂！"});
        EXPECT_EQ(IsFolder(folder / ".staging") || IsFolder(folder / staging.filename()),
                  !c.usedAsGiven);
        std::error_code ec;
        fs::permissions(dir.path() / "locked", fs::perms::owner_all, fs::perm_options::add, ec);
        if (staging.parent_path() == "/dev/shm") {
            fs::remove_all(staging, ec);
        }
    }
}

TEST(ProgramFolderStaging, StartClearsEveryStagingFolderAndNothingElse) {
    TempFolder dir;
    const ProgramFolder program(dir.path());
    const fs::path marker = program.MarkerRoot() / u8"图.jpg" / u8"1！2！印堂！";
    const std::vector<fs::path> stagings = {program.Staging(),
                                            program.ImageFolder() / ".penrica-staging",
                                            marker.parent_path() / ".penrica-staging"};
    for (const fs::path& staging : stagings) {
        fs::create_directories(staging);
        WriteWholeFile(staging / "w999999-1.tmp", "half");
    }
    WriteWholeFile(marker, "keep");
    WriteWholeFile(program.ImageFolder() / u8"图.jpg", "keep");
    program.ClearStaging();
    for (const fs::path& staging : stagings) {
        EXPECT_FALSE(Exists(staging)) << staging;
    }
    EXPECT_EQ(ReadWholeFile(marker), "keep");
    EXPECT_EQ(ReadWholeFile(program.ImageFolder() / u8"图.jpg"), "keep");
}

// Children that stand for a run still going and one that ended.
const child::ChildJob kWait("wait", [](const std::string&) {
    std::this_thread::sleep_for(std::chrono::minutes(2));
    return 0;
});
const child::ChildJob kExit("exit", [](const std::string&) { return 0; });

TEST(WholeFile, ClearStagingKeepsRunningWritersAndForeignFiles) {
    TempFolder dir;
    const fs::path staging = dir.path();
    child::ChildProcess running = child::ChildProcess::Job("wait");
    child::ChildProcess gone = child::ChildProcess::Job("exit");
    ASSERT_TRUE(running.Started() && gone.Started());
    const unsigned long goneId = gone.Id();
    ASSERT_EQ(gone.Wait(), 0);
    struct Case {
        std::string name;
        bool stays;
    };
    auto temporary = [](unsigned long pid, int n) {
        std::string name = "w";
        name += std::to_string(pid);
        name += '-';
        name += std::to_string(n);
        name += ".tmp";
        return name;
    };
    const std::vector<Case> cases = {
        {temporary(running.Id(), 0), true},         // a write still in progress elsewhere
        {temporary(goneId, 3), false},              // left by a killed run
        {temporary(system::ProcessId(), 1), false}, // this run writes nothing at start
        {"notes.txt", true},
        {"w12x-1.tmp", true},
        {"w-1.tmp", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteWholeFile(staging / c.name, "x"));
    }
    ClearStaging(staging);
    running.Kill();
    for (const Case& c : cases) {
        EXPECT_EQ(Exists(staging / c.name), c.stays) << c.name;
    }
}

TEST(Listing, SeparatesFilesAndFolders) {
    TempFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir.path() / u8"头部.jpg", "x"));
    ASSERT_TRUE(WriteWholeFile(dir.path() / "b", "x"));
    ASSERT_TRUE(CreateFolder(dir.path() / "sub"));
    auto files = ListFolder(dir.path(), EntryKind::Files);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"b", "头部.jpg"}));
    EXPECT_EQ(ListFolder(dir.path(), EntryKind::Folders), std::vector<std::string>{"sub"});
    EXPECT_TRUE(ListFolder(dir.path() / "none", EntryKind::Files).empty());
}

TEST(FolderTree, DeletesEverythingInside) {
    TempFolder dir;
    fs::path tree = dir.path() / "tree";
    ASSERT_TRUE(CreateFolder(tree));
    ASSERT_TRUE(CreateFolder(tree / "inner"));
    ASSERT_TRUE(WriteWholeFile(tree / "inner" / "a", "x"));
    ASSERT_TRUE(WriteWholeFile(tree / "b", "x"));
    EXPECT_TRUE(DeleteFolderTree(tree));
    EXPECT_FALSE(Exists(tree));
    EXPECT_FALSE(DeleteFolderTree(tree));
    EXPECT_FALSE(CreateFolder(dir.path() / "x" / "y")); // one level only
}

TEST(FolderTree, ReadOnlyFileStaysAndReportsFailure) {
    TempFolder dir;
    fs::path tree = dir.path() / "tree";
    ASSERT_TRUE(CreateFolder(tree));
    ASSERT_TRUE(WriteWholeFile(tree / "locked", "x"));
    ASSERT_TRUE(WriteWholeFile(tree / "free", "x"));
    fs::permissions(tree / "locked", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(DeleteFolderTree(tree));
    EXPECT_TRUE(Exists(tree / "locked"));
    EXPECT_FALSE(Exists(tree / "free"));
}

TEST(Copy, CopiesAndOverwrites) {
    TempFolder dir;
    ASSERT_TRUE(WriteWholeFile(dir.path() / "a", "data"));
    EXPECT_TRUE(CopyWholeFile(dir.path() / "a", dir.path() / "b"));
    EXPECT_EQ(ReadWholeFile(dir.path() / "b"), "data");
    EXPECT_FALSE(CopyWholeFile(dir.path() / "missing", dir.path() / "c"));
    EXPECT_TRUE(DeleteFile(dir.path() / "a"));
    EXPECT_FALSE(DeleteFile(dir.path() / "a"));
}

TEST(SafeNames, RefusePathAndReservedCharacters) {
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "a:b", "a*", "a?", "a\"", "a<", "a>",
                            "a|", "a\tb", "a\nb"}) {
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    }
    for (const char* good : {"印堂", "152！87！印堂！", "a b", "A！B", ".hidden", "头部.jpg"}) {
        EXPECT_TRUE(IsSafeFileName(good)) << good;
    }
}

#ifdef _WIN32
// A virus scanner or an indexer holds a file open for a moment: the save waits for it. Held
// throughout, the save fails and leaves the old file and no temporary one.
TEST(WholeFile, AFileHeldByAnotherProgramIsWaitedForThenRefused) {
    TempFolder dir;
    const fs::path staging = dir.path() / ".penrica-staging";
    const fs::path file = dir.path() / u8"1！2！印堂！";
    ASSERT_TRUE(WriteWholeFile(file, "old", staging));
    auto hold = [&] {
        return ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::CloseHandle(held);
    });
    EXPECT_TRUE(WriteWholeFile(file, "new", staging));
    release.join();
    EXPECT_EQ(ReadWholeFile(file), "new");

    held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteWholeFile(file, "newer", staging));
    ::CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(file), "new");
    EXPECT_TRUE(ListFolder(staging, EntryKind::Files).empty());
}

// The Windows runs name the system code page they set up; every test above then ran under it.
TEST(WindowsCodePage, IsTheOneTheRunSetUp) {
    const char* expected = std::getenv("PENRICA_EXPECT_CODEPAGE");
    if (expected == nullptr) {
        GTEST_SKIP() << "no code page named";
    }
    EXPECT_EQ(std::to_string(::GetACP()), expected);
}
#endif

} // namespace
