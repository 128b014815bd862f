#include "styling/core/QuickFormat.h"

#include "platform/core/TextCodec.h"
#include "platform/core/TextRules.h"
#include "styling/core/ColourNames.h"

namespace penrica {

namespace {
constexpr std::int32_t kKnownEffects = 0x1F;
} // namespace

QuickFormatTexts ReadQuickFormat(const ConfigFile& config, std::string_view section) {
    return {config.ReadConfigItem(section, kConfigKeys[0]),
            config.ReadConfigItem(section, kConfigKeys[1]),
            config.ReadConfigItem(section, kConfigKeys[2]),
            config.ReadConfigItem(section, kConfigKeys[3])};
}

ConfigStatus WriteQuickFormat(const ConfigFile& config, std::string_view section,
                              const QuickFormatTexts& texts) {
    const ConfigItem items[] = {{section, kConfigKeys[0], texts.size},
                                {section, kConfigKeys[1], texts.colour},
                                {section, kConfigKeys[2], texts.face},
                                {section, kConfigKeys[3], texts.effects}};
    return config.WriteConfigItems(items);
}

CharFormat QuickFormatToCharFormat(const QuickFormatTexts& texts) {
    CharFormat format;
    format.size = TextToInt(texts.size);
    format.face = TruncateToGbkBytes(texts.face, kMaxFaceBytes);
    format.effects = TextToInt(texts.effects) & kKnownEffects;
    format.colour = ColourNameToValue(texts.colour).value_or(kAutomaticColour);
    return format;
}

} // namespace penrica
