#include "platform/qt/Trash.h"

#include "platform/core/Files.h"
#include "platform/core/SystemCalls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>
#undef DeleteFile // the program's own, not the system's
#endif

namespace penrica {

namespace {

#ifdef _WIN32
// Qt's trash on Windows goes through IFileOperation, which Wine 8 does not carry out: nothing
// reached its trash. The shell's older file operation reaches the Recycle Bin on every Windows
// and Wine's trash alike. Where the drive has no Recycle Bin, it deletes the file for good, as
// the program would.
bool MoveToRecycleBin(const std::filesystem::path& path) {
    std::error_code ec;
    std::wstring from = std::filesystem::absolute(path, ec).make_preferred().wstring();
    from.push_back(L'\0'); // the list of names ends with an empty one
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    return !ec && ::SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
           !Exists(path);
}
#else
// Qt writes the original path into the trash's info file as it is, where the file managers read
// it URL-escaped: a name holding "%41" would come back as "A", one holding "%" not at all.
void EscapeOriginalPath(const QString& inTrash, const QString& original) {
    const QFileInfo trashed(inTrash);
    const std::filesystem::path info = PathFromUtf8(
        trashed.dir()
            .absoluteFilePath(QStringLiteral("../info/%1.trashinfo").arg(trashed.fileName()))
            .toStdString());
    std::string text = ReadWholeFile(info);
    const std::string plain = "\nPath=" + original.toStdString() + "\n";
    if (const std::size_t at = text.find(plain); at != std::string::npos) {
        text.replace(at, plain.size(),
                     "\nPath=" + QUrl::toPercentEncoding(original, "/").toStdString() + "\n");
        WriteWholeFile(info, text);
    }
}
#endif

bool MoveToTrash(const std::filesystem::path& path) {
#ifdef _WIN32
    return FolderMayBeWritten(path.parent_path()) && MoveToRecycleBin(path);
#else
    // The home trash lies in the user's data folder, which a new account may not have yet; Qt
    // makes only the trash inside it. Where it cannot be made (a file of that name, a read-only
    // home), Qt 6.4 moves the file into "files" of the current folder and reports success.
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!QDir().mkpath(home + "/Trash/files") || !QDir().mkpath(home + "/Trash/info")) {
        return false;
    }
    std::error_code ec;
    const QString original =
        QString::fromStdString(PathToUtf8(std::filesystem::absolute(path, ec)));
    QString inTrash;
    if (ec || !FolderMayBeWritten(path.parent_path()) || !QFile::moveToTrash(original, &inTrash)) {
        return false;
    }
    EscapeOriginalPath(inTrash, original);
    return true;
#endif
}

// Whether deleting for good is what the system would do. On Windows the shell's operation does
// that itself where the drive has no Recycle Bin. On Linux the home trash takes what lies on
// its own file system; elsewhere (a USB stick) Qt tries the drive's own trash, and where that
// cannot be had, there is none. A trash that refuses the move (full, read-only) keeps the file.
bool HasNoTrash(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    const std::filesystem::path home = PathFromUtf8(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString());
    return !system::SameFileSystem(path.parent_path(), home);
#endif
}

} // namespace

Removal RemoveFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec))) {
        return Removal::Failed;
    }
    if (MoveToTrash(file)) {
        return Removal::Trashed;
    }
    return HasNoTrash(file) && DeleteFile(file) ? Removal::Deleted : Removal::Failed;
}

Removal RemoveFolder(const std::filesystem::path& folder) {
    if (!IsFolder(folder) || !FolderMayBeWritten(folder)) {
        return Removal::Failed;
    }
    if (MoveToTrash(folder)) {
        return Removal::Trashed;
    }
    return HasNoTrash(folder) && DeleteFolderTree(folder) ? Removal::Deleted : Removal::Failed;
}

} // namespace penrica
