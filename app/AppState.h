#pragma once
// The variables that all handlers share, owned by the application and passed by reference. None
// of it is saved; what lasts is in the data files.

#include "images/ImageState.h"
#include "introductions/EditorState.h"
#include "markers/MarkerState.h"
#include "styling/StyleState.h"

#include <cstdint>

namespace penrica {

struct AppState : MarkerState, ImageState, EditorState, StyleState {
    std::int32_t moveCount = 0;
    std::int32_t dragging = 0;
    std::int32_t dragStartX = 0;
    std::int32_t dragStartY = 0;
    float zoomFactor = 0.0f;
};

} // namespace penrica
