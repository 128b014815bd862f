#include "markers/HoverTest.h"

#include "markers/core/MarkerRecord.h"
#include "platform/qt/Colours.h"
#include "platform/qt/DrawPanel.h"

namespace penrica {

namespace {
constexpr int kHitReach = 10; // strictly inside ±10 pixels
constexpr int kCircleRadius = 15;
constexpr int kNameOffset = 30;
constexpr std::uint32_t kRed = 0x000000FF;
constexpr std::uint32_t kYellow = 0x0000D8D8;

void DrawBlink(DrawPanel& panel, const MarkerRecord& marker) {
    panel.SetPenWidth(2);
    panel.SetPenColour(kBlue);
    panel.SetFontSize(15);
    panel.SetTextBackColour(kYellow);
    panel.SetTextColour(kRed);
    panel.WriteText(marker.x + kNameOffset, marker.y, QString::fromStdString(marker.name));
    panel.EllipseOutline(marker.x - kCircleRadius, marker.y - kCircleRadius,
                         marker.x + kCircleRadius, marker.y + kCircleRadius);
}

void EraseBlink(DrawPanel& panel) {
    panel.Clear();
    panel.SetPenWidth(1);
    panel.SetPenColour(0);
    panel.SetFontSize(9);
}

} // namespace

std::string HoverTest(int mouseX, int mouseY, const std::vector<std::string>& markerFiles,
                      DrawPanel& panel, std::int32_t& blinkState) {
    std::string hit;
    for (const std::string& record : markerFiles) {
        const MarkerFile file = ClassifyMarkerFile(record);
        if (file.kind == MarkerFileKind::Foreign) {
            panel.SetFontSize(13);
            panel.WriteText(1, 1, QString::fromStdString(ForeignFileText(record)));
            panel.SetFontSize(9);
            continue;
        }
        // Widened so that markers near the integer range's ends cannot overflow.
        const MarkerRecord& marker = file.record;
        const std::int64_t x = marker.x, y = marker.y;
        if (!(x - kHitReach < mouseX && mouseX < x + kHitReach && y - kHitReach < mouseY &&
              mouseY < y + kHitReach)) {
            continue;
        }
        if (blinkState == 1) {
            blinkState = 0;
            DrawBlink(panel, marker);
        } else {
            blinkState = 1;
            EraseBlink(panel);
        }
        hit = record;
    }
    return hit;
}

void HoverTick(MarkerState& state, DrawPanel& panel) {
    if (state.hoverEnabled != 1) {
        return;
    }
    state.acupointUnderMouse =
        HoverTest(state.lastMouseX, state.lastMouseY, state.markerFiles, panel, state.blinkState);
}

} // namespace penrica
