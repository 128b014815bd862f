#pragma once
// Window sizes are given as outer sizes on the desktop, frame and title bar included. The client
// area is that size less a 3-pixel frame on each side and a 22-pixel title bar.

#include <QSize>

class QWidget;

namespace penrica {

inline constexpr int kFrameWidth = 3;
inline constexpr int kTitleHeight = 22;
inline constexpr int kMenuBarHeight = 20;

inline QSize ClientSize(int outerWidth, int outerHeight) {
    return QSize(outerWidth - 2 * kFrameWidth, outerHeight - 2 * kFrameWidth - kTitleHeight);
}

enum class MinimiseBox { No, Yes };

// A fixed-size window with a title bar, system menu and close box, no maximise box, centred on
// the screen.
void SetUpFixedWindow(QWidget& window, QSize client, MinimiseBox minimise);

// A window that shows no icon in its title bar. Call it after SetUpFixedWindow.
void SetNoIcon(QWidget& window);

// A window that shows no title text. Qt puts the application's name in the title bar when a
// title is empty, so the title is a single blank.
void SetNoTitle(QWidget& window);

// A label, button or other control at its place with its caption.
QFont ControlFont(const QString& face, int pixelHeight);

} // namespace penrica
