#pragma once
// Child processes for tests, the same on every system (Windows has no fork):
// - `ChildJob` registers a job of this test program. Started with PENRICA_TEST_CHILD naming the
//   job, the program runs that job instead of its tests and exits with its result.
// - `ChildProcess` starts this test program again for a job, or any program with arguments and
//   its output sent to a file, and kills or waits for it.

#include "platform/core/Files.h"
#include "platform/core/SystemCalls.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef DeleteFile // the system's macro would rename penrica::DeleteFile
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace child {

inline constexpr const char* kJobVariable = "PENRICA_TEST_CHILD";
inline constexpr const char* kArgumentVariable = "PENRICA_TEST_CHILD_ARGUMENT";

// At namespace scope: `const child::ChildJob saveLoop("save-loop", [](const std::string& a) {…});`
// The job runs while static objects are made, before the tests' main.
struct ChildJob {
    ChildJob(const char* name, int (*run)(const std::string& argument)) {
        const char* job = std::getenv(kJobVariable);
        if (job != nullptr && std::string(job) == name) {
            const char* argument = std::getenv(kArgumentVariable);
            std::_Exit(run(argument ? argument : ""));
        }
    }
};

inline void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

class ChildProcess {
public:
    // This test program, running `job` with `argument` (UTF-8).
    static ChildProcess Job(const std::string& job, const std::string& argument = {}) {
        SetVariable(kJobVariable, job);
        SetVariable(kArgumentVariable, argument);
        ChildProcess process(penrica::system::ExecutableFile(), {}, {});
        SetVariable(kJobVariable, "");
        SetVariable(kArgumentVariable, "");
        return process;
    }

    // `program` with `arguments` (UTF-8), its standard output and error both into `output`.
    static ChildProcess Program(const std::filesystem::path& program,
                                const std::vector<std::string>& arguments,
                                const std::filesystem::path& output) {
        return ChildProcess(program, arguments, output);
    }

    ChildProcess(ChildProcess&& other) noexcept : process_(other.process_) {
        other.process_ = kNone;
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Kill(); }

    bool Started() const { return process_ != kNone; }

    unsigned long Id() const {
#ifdef _WIN32
        return Started() ? ::GetProcessId(process_) : 0;
#else
        return static_cast<unsigned long>(process_);
#endif
    }

    // Kills the child at once. True when it was still running, not ended on its own.
    bool Kill() {
        if (!Started()) {
            return false;
        }
#ifdef _WIN32
        const bool running = ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
        ::TerminateProcess(process_, kKilledCode);
        ::WaitForSingleObject(process_, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process_, &code);
        ::CloseHandle(process_);
        process_ = kNone;
        return running && code == kKilledCode;
#else
        ::kill(process_, SIGKILL);
        int status = 0;
        ::waitpid(process_, &status, 0);
        process_ = kNone;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
#endif
    }

    // Waits for the child to end; its exit status, or nothing when it was killed or never ran.
    std::optional<int> Wait() {
        if (!Started()) {
            return std::nullopt;
        }
#ifdef _WIN32
        ::WaitForSingleObject(process_, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process_, &code);
        ::CloseHandle(process_);
        process_ = kNone;
        return static_cast<int>(code);
#else
        int status = 0;
        ::waitpid(process_, &status, 0);
        process_ = kNone;
        return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
#endif
    }

private:
#ifdef _WIN32
    using Native = HANDLE;
    static constexpr Native kNone = nullptr;
    static constexpr DWORD kKilledCode = 0xDEAD;

    static std::wstring Wide(const std::string& utf8) {
        return penrica::PathFromUtf8(utf8).wstring();
    }

    // One argument as the C runtime splits a command line again.
    static std::wstring Quoted(const std::wstring& argument) {
        std::wstring quoted = L"\"";
        std::size_t backslashes = 0;
        for (wchar_t c : argument) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
            backslashes = 0;
            quoted += c;
        }
        quoted.append(2 * backslashes, L'\\');
        return quoted + L"\"";
    }

    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& output) {
        std::wstring commandLine = Quoted(program.wstring());
        for (const std::string& argument : arguments) {
            commandLine += L" " + Quoted(Wide(argument));
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        HANDLE file = INVALID_HANDLE_VALUE;
        if (!output.empty()) {
            SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
            file = ::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
            startup.hStdOutput = file;
            startup.hStdError = file;
        }
        PROCESS_INFORMATION information{};
        if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                             file != INVALID_HANDLE_VALUE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &startup, &information)) {
            ::CloseHandle(information.hThread);
            process_ = information.hProcess;
        }
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
        }
    }
#else
    using Native = pid_t;
    static constexpr Native kNone = -1;

    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& output) {
        std::vector<std::string> words{program.string()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!output.empty()) {
            posix_spawn_file_actions_addopen(&actions, 1, output.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0644);
            posix_spawn_file_actions_adddup2(&actions, 1, 2);
        }
        pid_t pid = -1;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
            process_ = pid;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
#endif

    Native process_ = kNone;
};

// Waits up to `limit` for `path` to exist.
inline bool AppearsWithin(const std::filesystem::path& path, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!penrica::Exists(path)) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace child
