#include "ui/WindowFrameHints.h"

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>

#if defined(DICE_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#define DICE_WRITE_X11_HINTS 1
#endif

namespace {

// The Motif window-manager hints: flags, functions, decorations, input mode, status.
enum : std::uint32_t {
    kHintsFunctions = 1U << 0,
    kHintsDecorations = 1U << 1,
    kFunctionResize = 1U << 1,
    kFunctionMove = 1U << 2,
    kFunctionMinimize = 1U << 3,
    kFunctionMaximize = 1U << 4,
    kFunctionClose = 1U << 5,
    kDecorBorder = 1U << 1,
    kDecorResizeHandle = 1U << 2,
    kDecorTitle = 1U << 3,
    kDecorMenu = 1U << 4,
    kDecorMinimize = 1U << 5,
    kDecorMaximize = 1U << 6,
};

std::array<std::uint32_t, 5> MotifHints(const WindowFrameHints::Buttons& b) {
    std::uint32_t functions = kFunctionMove;
    std::uint32_t decorations = kDecorBorder | kDecorTitle;
    if (b.resizable) {
        functions |= kFunctionResize;
        decorations |= kDecorResizeHandle;
    }
    if (b.close) {
        functions |= kFunctionClose;
        decorations |= kDecorMenu;
    }
    if (b.minimize) {
        functions |= kFunctionMinimize;
        decorations |= kDecorMinimize;
    }
    if (b.maximize && b.resizable) {
        functions |= kFunctionMaximize;
        decorations |= kDecorMaximize;
    }
    return {kHintsFunctions | kHintsDecorations, functions, decorations, 0, 0};
}

}  // namespace

void WindowFrameHints::Apply(QWidget& window, const Buttons& buttons) {
#ifdef DICE_WRITE_X11_HINTS
    // Other platforms (offscreen among them) may answer for X11 without an X connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || !window.testAttribute(Qt::WA_WState_Created)) return;
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, sizeof(kName) - 1, kName);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) return;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    const std::array<std::uint32_t, 5> hints = MotifHints(buttons);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom, atom, 32, hints.size(),
                        hints.data());
    xcb_flush(connection);
#else
    (void)window;
    (void)buttons;
#endif
}
