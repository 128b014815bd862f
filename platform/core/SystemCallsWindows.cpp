#include "platform/core/SystemCalls.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

namespace penrica::system {

namespace {

// Closes a handle when it goes out of scope.
struct Handle {
    HANDLE value;
    ~Handle() {
        if (value != nullptr && value != INVALID_HANDLE_VALUE) {
            ::CloseHandle(value);
        }
    }
    bool Valid() const { return value != nullptr && value != INVALID_HANDLE_VALUE; }
};

// What another program's open handle (a virus scanner, an indexer, a backup) gives for a moment.
bool HeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

constexpr int kTries = 20;
constexpr auto kPause = std::chrono::milliseconds(50);

std::string Utf8(const wchar_t* wide, int length) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace

std::string NameToUtf8(const fs::path& path) {
    const std::wstring& wide = path.native();
    return Utf8(wide.data(), static_cast<int>(wide.size()));
}

std::vector<std::string> Utf8Arguments(int, char**) {
    ::SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Utf8(wide[i], static_cast<int>(::lstrlenW(wide[i]))));
    }
    ::LocalFree(wide);
    return arguments;
}

fs::path ExecutableFile() {
    // Long paths (past MAX_PATH) need a bigger buffer; grow it until the name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            // Started through a short 8.3 path, the messages would show that one.
            std::wstring longName(32768, L'\0');
            const DWORD longLength = ::GetLongPathNameW(name.c_str(), longName.data(),
                                                        static_cast<DWORD>(longName.size()));
            if (longLength > 0 && longLength < longName.size()) {
                longName.resize(longLength);
                return fs::path(longName);
            }
            return fs::path(name);
        }
        name.resize(name.size() * 2);
    }
}

unsigned long ProcessId() {
    return ::GetCurrentProcessId();
}

bool IsRunningElsewhere(unsigned long pid) {
    if (pid == ProcessId() || pid == 0) {
        return false;
    }
    Handle process{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)};
    if (!process.Valid()) {
        // A process that exists but may not be asked about still runs.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    return ::GetExitCodeProcess(process.value, &code) && code == STILL_ACTIVE;
}

bool WriteAndFlush(const fs::path& temp, std::string_view bytes) {
    Handle file{::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file.Valid()) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD piece =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 24));
        DWORD done = 0;
        if (!::WriteFile(file.value, bytes.data() + written, piece, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return ::FlushFileBuffers(file.value) != 0;
}

bool ReplaceWith(const fs::path& temp, const fs::path& target) {
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(temp.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (!HeldByAnother(::GetLastError()) || attempt + 1 >= kTries) {
            return false;
        }
        std::this_thread::sleep_for(kPause);
    }
}

bool RenameNoReplace(const fs::path& from, const fs::path& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing name.
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (!HeldByAnother(::GetLastError()) || attempt + 1 >= kTries) {
            return false;
        }
        std::this_thread::sleep_for(kPause);
    }
}

bool SyncFolder(const fs::path&) {
    // MOVEFILE_WRITE_THROUGH returns only when the rename is on the disk.
    return true;
}

bool SameFileSystem(const fs::path& a, const fs::path& b) {
    wchar_t volumeA[MAX_PATH + 1] = {};
    wchar_t volumeB[MAX_PATH + 1] = {};
    return ::GetVolumePathNameW(fs::absolute(a).c_str(), volumeA, MAX_PATH + 1) &&
           ::GetVolumePathNameW(fs::absolute(b).c_str(), volumeB, MAX_PATH + 1) &&
           ::lstrcmpiW(volumeA, volumeB) == 0;
}

void HideFolder(const fs::path& folder) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_HIDDEN)) {
        ::SetFileAttributesW(folder.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    }
}

FileIdentity IdentityOf(const fs::path& file) {
    // Opening for no access reads the attributes even of a file another program holds.
    Handle handle{::CreateFileW(file.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (!handle.Valid()) {
        return {};
    }
    FileIdentity identity;
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(handle.value, FileBasicInfo, &basic, sizeof basic)) {
        // 100-nanosecond ticks since 1601; the Unix epoch is 11644473600 seconds later.
        constexpr std::int64_t kEpochTicks = 116444736000000000;
        identity.changedNs = (basic.ChangeTime.QuadPart - kEpochTicks) * 100;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileInformationByHandle(handle.value, &information)) {
        identity.fileNumber = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                              information.nFileIndexLow;
    }
    return identity;
}

} // namespace penrica::system
