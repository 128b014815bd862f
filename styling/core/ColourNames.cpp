#include "styling/core/ColourNames.h"

namespace penrica {

std::string ColourNameText() {
    std::string text;
    for (const ColourName& colour : kColourNames) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += colour.name;
    }
    return text;
}

std::optional<std::uint32_t> ColourNameToValue(std::string_view name) {
    for (const ColourName& colour : kColourNames) {
        if (name == colour.name) {
            return colour.value;
        }
    }
    return std::nullopt;
}

} // namespace penrica
