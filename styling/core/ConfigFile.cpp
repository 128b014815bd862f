#include "styling/core/ConfigFile.h"

#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/TextCodec.h"

namespace penrica {

const char* StatusText(ConfigStatus status) {
    switch (status) {
    case ConfigStatus::Succeeded:
        return "成功";
    case ConfigStatus::Failed:
        return "失败";
    case ConfigStatus::AlreadyExists:
        return "已存在";
    }
    return "失败";
}

std::string ConfigFile::ReadText() const {
    return BytesToText(ReadWholeFile(file_));
}

ConfigStatus ConfigFile::WriteText(std::string_view text) const {
    // peizhi.ini sits in the program folder, so the program's staging folder is beside it.
    const bool written =
        WriteWholeFile(file_, EncodeGbk(text), ProgramFolder(file_.parent_path()).Staging());
    return written ? ConfigStatus::Succeeded : ConfigStatus::Failed;
}

std::string ConfigFile::ReadConfigItem(std::string_view section, std::string_view key) const {
    return ReadConfigValue(ReadText(), section, key);
}

ConfigStatus ConfigFile::WriteConfigItem(std::string_view section, std::string_view key,
                                         std::string_view value) const {
    return WriteText(WriteConfigValue(ReadText(), section, key, value));
}

ConfigStatus ConfigFile::AddConfigSection(std::string_view section) const {
    std::optional<std::string> text = AppendConfigSection(ReadText(), section);
    if (!text) {
        return ConfigStatus::AlreadyExists;
    }
    return WriteText(*text);
}

void ConfigFile::RestoreFactoryConfig() const {
    for (const FactoryFormat& format : kFactoryFormats) {
        const std::array<const char*, 4> values = {format.size, format.colour, format.face,
                                                   format.effects};
        for (std::size_t k = 0; k < kConfigKeys.size(); ++k) {
            WriteConfigItem(format.section, kConfigKeys[k], values[k]);
        }
    }
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
