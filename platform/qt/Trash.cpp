#include "platform/qt/Trash.h"

#include "platform/core/Files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace penrica {

namespace {

bool MoveToTrash(const std::filesystem::path& path) {
#ifndef _WIN32
    // The home trash lies in the user's data folder, which a new account may not have yet; Qt
    // makes only the trash inside it.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
    return FolderMayBeWritten(path.parent_path()) &&
           QFile::moveToTrash(QString::fromStdString(PathToUtf8(path)));
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
    return DeleteFile(file) ? Removal::Deleted : Removal::Failed;
}

Removal RemoveFolder(const std::filesystem::path& folder) {
    if (!IsFolder(folder)) {
        return Removal::Failed;
    }
    if (MoveToTrash(folder)) {
        return Removal::Trashed;
    }
    return DeleteFolderTree(folder) ? Removal::Deleted : Removal::Failed;
}

} // namespace penrica
