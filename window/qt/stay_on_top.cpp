#include "window/qt/stay_on_top.h"

#include "window/qt/platform.h"

#include <QWidget>

void KeepOnTop(QWidget& window) {
    // Window managers on X11 keep a window with the stay-on-top hint in their top layer; raising
    // it puts it back above other windows of that layer. Wayland lets no client raise itself,
    // and the offscreen platform warns at every raise.
    static const bool canRaise = OnX11();
    if (canRaise) {
        window.raise();
    }
}
