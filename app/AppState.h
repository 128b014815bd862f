#pragma once
// The variables that all handlers share, owned by the application and passed by reference. None
// of it is saved; what lasts is in the data files.

#include "images/ImageState.h"
#include "introductions/EditorState.h"
#include "markers/MarkerState.h"
#include "styling/StyleState.h"

#include <cstdint>

namespace penrica {

struct AppState : MarkerState, ImageState, EditorState, StyleState {};

} // namespace penrica
