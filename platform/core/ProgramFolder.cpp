#include "platform/core/ProgramFolder.h"

#include "platform/core/Files.h"
#include "platform/core/SystemCalls.h"

#include <system_error>

namespace penrica {

std::filesystem::path ProgramFolder::OfExecutable() {
    const std::filesystem::path exe = system::ExecutableFile();
    if (exe.has_parent_path()) {
        return exe.parent_path();
    }
    std::error_code ec;
    return std::filesystem::current_path(ec);
}

std::filesystem::path ImageFile(const ProgramFolder& folder, std::string_view image) {
    return folder.ImageFolder() / PathFromUtf8(image);
}

void ProgramFolder::ClearStaging() const {
    const std::filesystem::path name = Staging().filename();
    penrica::ClearStaging(Staging());
    penrica::ClearStaging(ImageFolder() / name);
    for (const std::string& image : ListFolder(MarkerRoot(), EntryKind::Folders)) {
        penrica::ClearStaging(MarkerRoot() / PathFromUtf8(image) / name);
    }
}

} // namespace penrica
