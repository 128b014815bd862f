#pragma once
// Colours are stored as 0x00BBGGRR, the layout of the program's files; Qt wants QColor.

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>

namespace penrica {

// The blue of the markers' rings and the strip's selection.
inline constexpr std::uint32_t kBlue = 0x00FF0000;

inline QColor ToQColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t FromQColor(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

// What a colour paints in a control. A background is filled; the button face is what Qt paints
// a button's (and a radio or check box's) surface with.
enum class ColourRole { Text, Background, ButtonFace };

inline void SetColour(QWidget& widget, ColourRole role, std::uint32_t colour) {
    QPalette palette = widget.palette();
    switch (role) {
    case ColourRole::Text:
        palette.setColor(QPalette::WindowText, ToQColor(colour));
        break;
    case ColourRole::Background:
        palette.setColor(QPalette::Window, ToQColor(colour));
        widget.setAutoFillBackground(true);
        break;
    case ColourRole::ButtonFace:
        palette.setColor(QPalette::Button, ToQColor(colour));
        break;
    }
    widget.setPalette(palette);
}

} // namespace penrica
