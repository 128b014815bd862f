#include "styling/core/ConfigFile.h"

#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/TextCodec.h"

#include <vector>

namespace penrica {

std::string ConfigFile::ReadBytes() const {
    return std::string(StoredBytes(ReadWholeFile(file_)));
}

ConfigStatus ConfigFile::WriteBytes(std::string_view bytes) const {
    // peizhi.ini sits in the program folder, so the program's staging folder is beside it.
    const bool written = WriteWholeFile(file_, bytes, ProgramFolder(file_.parent_path()).Staging());
    return written ? ConfigStatus::Succeeded : ConfigStatus::Failed;
}

std::string ConfigFile::ReadConfigItem(std::string_view section, std::string_view key) const {
    return DecodeGbk(ReadConfigValue(ReadBytes(), EncodeGbk(section), EncodeGbk(key)));
}

ConfigStatus ConfigFile::WriteConfigItem(std::string_view section, std::string_view key,
                                         std::string_view value) const {
    const ConfigItem item{section, key, value};
    return WriteConfigItems({&item, 1});
}

ConfigStatus ConfigFile::WriteConfigItems(std::span<const ConfigItem> items) const {
    std::string bytes = ReadBytes();
    for (const ConfigItem& item : items) {
        bytes = WriteConfigValue(bytes, EncodeGbk(item.section), EncodeGbk(item.key),
                                 EncodeGbk(item.value));
    }
    return WriteBytes(bytes);
}

ConfigStatus ConfigFile::AddConfigSection(std::string_view section) const {
    std::optional<std::string> bytes = AppendConfigSection(ReadBytes(), EncodeGbk(section));
    if (!bytes) {
        return ConfigStatus::AlreadyExists;
    }
    return WriteBytes(*bytes);
}

ConfigStatus ConfigFile::RestoreFactoryConfig() const {
    std::vector<ConfigItem> items;
    for (const FactoryFormat& format : kFactoryFormats) {
        const std::array<const char*, 4> values = {format.size, format.colour, format.face,
                                                   format.effects};
        for (std::size_t k = 0; k < kConfigKeys.size(); ++k) {
            items.push_back({format.section, kConfigKeys[k], values[k]});
        }
    }
    return WriteConfigItems(items);
}

void ConfigFile::EnsureConfigFile() const {
    if (Exists(file_)) {
        return;
    }
    for (const FactoryFormat& format : kFactoryFormats) {
        AddConfigSection(format.section);
    }
    RestoreFactoryConfig();
}

} // namespace penrica
