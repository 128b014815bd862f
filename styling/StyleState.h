#pragma once
// The shared state of the font style window.

#include "platform/core/CharFormat.h"

#include <cstdint>

namespace penrica {

struct StyleState {
    std::int32_t formatDialogCancelled = 0;
    CharFormat selectionFormat;
    std::uint32_t selectionBackColour = 0;
};

} // namespace penrica
