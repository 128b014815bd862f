#pragma once
// The display scale the program draws at. Window geometry is in logical pixels; the scale turns
// them into the screen's pixels. It is chosen once, at start, for the screen the main window opens
// on: the system's own scale when the main window fits the work area at it, else the largest
// quarter step below it, never below 1.0, at which it fits. Pictures and the marker records stay
// in image pixels at every scale.

namespace penrica {

struct ScreenPixels {
    int width = 0;
    int height = 0;
};

struct DisplayFacts {
    // The desktop's own scale for the screen: 1.5 for 150 %.
    double systemScale = 1.0;
    // The screen less what the taskbar and docks keep, in screen pixels.
    ScreenPixels workArea;
    // What the window system adds around a window's client area, both sides together, in screen
    // pixels. It is drawn at the system's scale whatever scale the program takes.
    ScreenPixels frame;
};

// The scale for a window whose client area is `client` logical pixels. Where even 1.0 does not fit,
// 1.0 (a system scale below 1.0 stays as it is).
double FittingScale(const DisplayFacts& facts, ScreenPixels client);

} // namespace penrica
