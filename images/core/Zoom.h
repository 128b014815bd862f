#pragma once
// The zoom slider's positions are tenths of the picture's size. Full size is the one position
// where hover runs, markers can be added and the hints invite a double-click: every such rule
// asks IsFullSize.

namespace penrica {

inline constexpr int kSmallestZoom = 4;
inline constexpr int kFullSize = 10;

constexpr bool IsFullSize(int zoomPosition) {
    return zoomPosition == kFullSize;
}

// The panel's scale at a slider position.
constexpr float ZoomFactor(int zoomPosition) {
    return static_cast<float>(zoomPosition) * 0.1f;
}

} // namespace penrica
