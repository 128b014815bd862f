#include "introductions/core/AcupointSearch.h"

#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/core/TextRules.h"

namespace penrica {

bool NameContains(std::string_view name, std::string_view text) {
    if (text.empty()) {
        return true;
    }
    for (std::size_t i = 0; i + text.size() <= name.size(); i = NextCharacter(name, i)) {
        if (name.compare(i, text.size(), text) == 0) {
            return true;
        }
    }
    return false;
}

std::vector<SearchRow> SearchAcupoints(const ProgramFolder& folder, std::string_view text,
                                       const std::function<void(const std::string&)>& onMalformed) {
    std::vector<SearchRow> rows;
    for (const std::string& image : ListFolder(folder.MarkerRoot(), EntryKind::Folders)) {
        for (std::string& record :
             ListFolder(folder.MarkerRoot() / PathFromUtf8(image), EntryKind::Files)) {
            std::vector<std::string> fields = SplitRecord(record);
            if (fields.size() != 3 && onMalformed) {
                onMalformed(record);
            }
            if (fields.size() >= 3 && NameContains(fields[2], text)) {
                rows.push_back({std::move(fields[2]), image, std::move(record)});
            }
        }
    }
    return rows;
}

} // namespace penrica
