#include "window/options/Topmost.h"

#include <QWidget>

namespace {

// Changing a window flag re-creates the native window, which hides it on
// X11; a shown window is shown again at the same place and size.
void setStaysOnTop(QWidget &window, bool onTop)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool wasVisible = window.isVisible();
    const QRect geometry = window.geometry();
    const Qt::WindowStates states = window.windowState();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        window.setGeometry(geometry);
        window.setWindowState(states);
        window.show();
        window.raise();
    }
}

} // namespace

void SetTopmost(QWidget &window)
{
    setStaysOnTop(window, true);
}

void ClearTopmost(QWidget &window)
{
    setStaysOnTop(window, false);
    window.raise();
}
