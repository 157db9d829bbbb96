#pragma once

class QWidget;

// Tells the window manager which frame buttons and functions a top-level window has. On X11 that
// is the Motif hints property: Qt writes it too, but for a window with a title and no button it
// states only the functions, which leaves the decorations at the manager's default (every
// button drawn). This states both. Elsewhere Qt's window flags alone say it.
class WindowFrameHints {
  public:
    struct Buttons {
        bool close = true;
        bool minimize = true;
        bool maximize = true;
        bool resizable = true;
    };

    // The native window must exist; written again whenever Qt rewrites its own.
    static void Apply(QWidget& window, const Buttons& buttons);
};
