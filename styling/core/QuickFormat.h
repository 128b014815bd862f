#pragma once
// The four quick formats: sections of the configuration file read afresh at every use, so a
// hand edit of the file applies at once. A missing section reads as empty texts.

#include "platform/core/CharFormat.h"
#include "styling/core/ConfigFile.h"

#include <string>
#include <string_view>

namespace penrica {

// The four values of a section exactly as the file holds them.
struct QuickFormatTexts {
    std::string size;
    std::string colour;
    std::string face;
    std::string effects;
};

QuickFormatTexts ReadQuickFormat(const ConfigFile& config, std::string_view section);
// Writes the four keys in one rewrite; nothing is validated and a missing section stays missing.
ConfigStatus WriteQuickFormat(const ConfigFile& config, std::string_view section,
                              const QuickFormatTexts& texts);

// The format a quick format gives the selection: numbers by their leading digits, effects cut to
// the five known bits, a colour outside the table automatic, the face cut to the editor's field.
CharFormat QuickFormatToCharFormat(const QuickFormatTexts& texts);

} // namespace penrica
