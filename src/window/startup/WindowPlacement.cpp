#include "window/startup/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace WindowPlacement {

namespace {

// The squared distance between two rectangles (0 when they meet).
qint64 distance(const QRect &a, const QRect &b)
{
    const qint64 dx = std::max<qint64>({0, qint64(b.left()) - a.right(), qint64(a.left()) - b.right()});
    const qint64 dy = std::max<qint64>({0, qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QPoint reachablePosition(const QRect &frame, const QList<QRect> &screens)
{
    const QRect titleBar(frame.left(), frame.top(), std::max(frame.width(), 1), kTitleBarHeight);
    if (screens.isEmpty())
        return frame.topLeft();
    for (const QRect &screen : screens) {
        if (screen.intersects(titleBar))
            return frame.topLeft();
    }
    const QRect *nearest = &screens.front();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        if (const qint64 d = distance(screen, titleBar); d < best) {
            best = d;
            nearest = &screen;
        }
    }
    const int visible = std::min(kReachableWidth, titleBar.width());
    const int x = std::clamp(frame.left(), nearest->left() - titleBar.width() + visible,
                             std::max(nearest->left(), nearest->right() + 1 - visible));
    const int y =
        std::clamp(frame.top(), nearest->top(), std::max(nearest->top(), nearest->bottom() + 1 - kTitleBarHeight));
    return {x, y};
}

} // namespace WindowPlacement
