#pragma once
// Window sizes are given as outer sizes on the desktop, frame and title bar included. The client
// area is that size less a 3-pixel frame on each side and a 22-pixel title bar.

#include "platform/core/DisplayScale.h"

#include <QSize>

#include <functional>
#include <memory>

class QApplication;
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
// the work area of its opener's screen (the primary screen for a window without one). A window
// taller or wider than the work area keeps its title bar on the screen.
void SetUpFixedWindow(QWidget& window, QSize client, MinimiseBox minimise);

// A window that shows no icon in its title bar. Call it after SetUpFixedWindow.
void SetNoIcon(QWidget& window);

// A window that shows no title text. Qt puts the application's name in the title bar when a
// title is empty, so the title is a single blank.
void SetNoTitle(QWidget& window);

// The primary screen of the running application, and the frame that the window system gives
// `probe`, a window set up but not shown. The window system tells the frame before the window
// shows on Windows; elsewhere it is taken as the 3-pixel frame and 22-pixel title bar at the
// system's scale.
DisplayFacts MeasurePrimaryScreen(QWidget& probe);

// The application, drawing at the scale FittingScale chooses for the window that `setUp` gives its
// frame (it returns the client size). The system's scale is what Qt takes from the desktop
// (Windows' per-monitor setting; on Linux the desktop's, QT_SCALE_FACTOR and
// QT_SCREEN_SCALE_FACTORS included). Where that scale does not fit, the measuring application
// gives way to one that Qt scales by the remaining factor. The environment is left as it was, so
// programs started from Penrica see the user's own setting.
std::unique_ptr<QApplication> StartAtFittingScale(int argc, char** argv,
                                                  const std::function<QSize(QWidget&)>& setUp);

// A label, button or other control at its place with its caption.
QFont ControlFont(const QString& face, int pixelHeight);

} // namespace penrica
