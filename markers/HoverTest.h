#pragma once
// Hover detection on the image panel: finds the marker under the mouse and blinks it, one tick
// drawing the circle and name, the next erasing them. Files of the marker folder that are not
// markers are reported on the panel itself.

#include "markers/MarkerState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace penrica {

class DrawPanel;

// The record of the last marker hit in list order, or empty. Draws on `panel` and flips
// `blinkState` once per hit.
std::string HoverTest(int mouseX, int mouseY, const std::vector<std::string>& markerFiles,
                      DrawPanel& panel, std::int32_t& blinkState);

// The hover timer's tick: while hover runs, the marker under the last mouse position becomes
// the acupoint under the mouse.
void HoverTick(MarkerState& state, DrawPanel& panel);

} // namespace penrica
