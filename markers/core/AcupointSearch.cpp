#include "markers/core/AcupointSearch.h"

#include "markers/core/MarkerRecord.h"
#include "markers/core/StandardAcupoints.h"
#include "platform/core/Files.h"
#include "platform/core/Pinyin.h"
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
    std::vector<SearchRow> byPinyin;
    std::vector<SearchRow> byStandard;
    const StandardQuery query = ReadStandardQuery(text);
    const std::optional<std::string>& pinyin = query.pinyin;
    for (const std::string& image : ListFolder(folder.MarkerRoot(), EntryKind::Folders)) {
        for (std::string& record :
             ListFolder(folder.MarkerRoot() / PathFromUtf8(image), EntryKind::Files)) {
            MarkerFile file = ClassifyMarkerFile(record);
            if (file.kind == MarkerFileKind::Foreign) {
                if (onMalformed) {
                    onMalformed(record);
                }
                // A name of more than three fields is still searched by its third.
                std::vector<std::string> fields = SplitRecord(record);
                if (fields.size() < 3) {
                    continue;
                }
                file.record.name = std::move(fields[2]);
            }
            if (NameContains(file.record.name, text)) {
                rows.push_back({std::move(file.record.name), image, std::move(record)});
            } else if (pinyin && PinyinMatches(PinyinOf(file.record.name), *pinyin)) {
                byPinyin.push_back({std::move(file.record.name), image, std::move(record)});
            } else if (NamesStandardPoint(StandardOf(file.record.name), query)) {
                byStandard.push_back({std::move(file.record.name), image, std::move(record)});
            }
        }
    }
    // The name rule's rows come first, as they always were; the pinyin's follow, then the points
    // the query names by their code, meridian or standard reading.
    for (std::vector<SearchRow>* more : {&byPinyin, &byStandard}) {
        rows.insert(rows.end(), std::make_move_iterator(more->begin()),
                    std::make_move_iterator(more->end()));
    }
    return rows;
}

} // namespace penrica
