#include "platform/core/SystemCalls.h"

#include <cerrno>
#include <cstdint>
#include <system_error>

#include <cstdio> // renameat2

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace penrica::system {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::string NameToUtf8(const fs::path& path) {
    return path.native();
}

fs::path ExecutableFile() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}

bool IsRunningElsewhere(unsigned long pid) {
    if (pid == ProcessId() || pid > static_cast<unsigned long>(INT32_MAX)) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool WriteAndFlush(const fs::path& temp, std::string_view bytes) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::size_t written = 0;
    bool ok = true;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            ok = false;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

bool ReplaceWith(const fs::path& temp, const fs::path& target) {
    std::error_code ec;
    fs::rename(temp, target, ec);
    return !ec;
}

bool RenameNoReplace(const fs::path& from, const fs::path& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
#endif
    // A file system without an exclusive rename: a link refuses an existing name just as well,
    // and the old name goes only once the new one holds the file.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

bool SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return true;
    }
    const bool ok = ::fsync(fd) == 0 || errno != EIO;
    ::close(fd);
    return ok;
}

bool SameFileSystem(const fs::path& a, const fs::path& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

void HideFolder(const fs::path&) {}

FileIdentity IdentityOf(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return {};
    }
    return {static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec,
            static_cast<std::uint64_t>(status.st_ino)};
}

} // namespace penrica::system
