#pragma once
// peizhi.ini: the four quick character formats. Nothing is kept in memory; every operation reads
// the whole file, and every write rewrites it whole (atomically). A missing or unreadable file
// reads as empty text; writing it then creates it. No operation shows a message.
//
// Names and values are program text (UTF-8) here and GBK in the file. A rewrite works on the
// file's bytes: the lines it does not set come back byte for byte. Several items set together are
// written in one rewrite, so the file holds all of them or none.

#include "styling/core/ConfigText.h"

#include <array>
#include <filesystem>
#include <span>
#include <string>

namespace penrica {

enum class ConfigStatus { Succeeded, Failed, AlreadyExists };

// What the windows of this subsystem say when peizhi.ini could not be written.
inline constexpr const char* kConfigSaveFailed = "保存失败";

struct ConfigItem {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

struct FactoryFormat {
    const char* section;
    const char* size;
    const char* colour;
    const char* face;
    const char* effects;
};

inline constexpr std::array<const char*, 4> kConfigKeys = {"字体大小", "字体颜色", "字体名称",
                                                           "字体效果"};

inline constexpr std::array<FactoryFormat, 4> kFactoryFormats = {{
    {"字符格式1", "11", "#蓝色", "宋体", "0"},
    {"字符格式2", "11", "#绿色", "宋体", "0"},
    {"字符格式3", "11", "#红色", "宋体", "0"},
    {"字符格式4", "11", "#黑色", "黑体", "0"},
}};

class ConfigFile {
public:
    explicit ConfigFile(std::filesystem::path file) : file_(std::move(file)) {}

    std::string ReadConfigItem(std::string_view section, std::string_view key) const;
    ConfigStatus WriteConfigItem(std::string_view section, std::string_view key,
                                 std::string_view value) const;
    // The items in their order, as WriteConfigItem one after the other would set them, in one
    // rewrite.
    ConfigStatus WriteConfigItems(std::span<const ConfigItem> items) const;
    ConfigStatus AddConfigSection(std::string_view section) const;
    // Writes the 16 factory values into the sections that exist.
    ConfigStatus RestoreFactoryConfig() const;
    // Creates the file with its factory contents when no file of that name exists.
    void EnsureConfigFile() const;

private:
    std::string ReadBytes() const;
    ConfigStatus WriteBytes(std::string_view bytes) const;

    std::filesystem::path file_;
};

} // namespace penrica
