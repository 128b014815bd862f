#pragma once
// The shared state that the marker behaviour reads and writes. The application's AppState holds
// it together with the other subsystems' state.

#include <cstdint>
#include <string>
#include <vector>

namespace penrica {

struct MarkerState {
    std::string currentImage;             // file name of the image on show
    std::vector<std::string> markerFiles; // marker records of that image, in listing order
    std::string acupointUnderMouse;       // record under the mouse; empty when none
    std::int32_t hoverEnabled = 0;        // 1 while hover detection runs
    std::int32_t lastMouseX = 0;          // last mouse position over the image panel
    std::int32_t lastMouseY = 0;
    std::int32_t rightClickX = 0; // panel position of the last right click on the image
    std::int32_t rightClickY = 0;
    std::int32_t blinkState = 0; // which half of the blink comes next, for the whole program
    // The record that the next left click on the image moves there; empty when no move waits.
    std::string movingMarker;
};

} // namespace penrica
