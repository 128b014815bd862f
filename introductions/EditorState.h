#pragma once
// The shared state of the introduction editor.

#include <cstdint>
#include <string>

namespace penrica {

struct EditorState {
    std::string currentAcupoint; // record of the acupoint last chosen by a double-click
    std::string editedImage;     // the marker file that a save writes: its image ...
    std::string editedMarker;    // ... and its record
    std::int32_t introChanged = 0;
};

} // namespace penrica
