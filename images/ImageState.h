#pragma once
// The shared state of the image library and the image panel.

#include "images/ThumbnailCache.h"

#include <cstdint>
#include <string>
#include <vector>

namespace penrica {

struct ImageState {
    std::vector<std::string> imageNames; // image file names in strip order
    std::string scrollDirection;         // "左" or "右"; empty before the first scroll
    std::int32_t scrollTicks = 0;
    std::int32_t stripRightClickX = 0;
    std::int32_t imageWidth = 0; // size of the image on show at zoom 1.0
    std::int32_t imageHeight = 0;
    float zoomFactor = 0.0f;     // the panel's scale; 0 until the window's creation step
    std::int32_t dragging = 0;   // 1 while the left button drags the image
    std::int32_t dragStartX = 0; // panel position where the drag began
    std::int32_t dragStartY = 0;
    std::int32_t moveCount = 0; // mouse moves over the panel, counted to 10 for the hints
    ThumbnailCache thumbnails;  // outlives every main window: a second opening decodes nothing new
};

} // namespace penrica
