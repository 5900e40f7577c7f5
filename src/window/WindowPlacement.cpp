#include "window/WindowPlacement.h"

#include <QRegion>

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

qint64 area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// The screen that shows most of the frame, or the nearest one when none
// shows any of it.
const QRect &nearestScreen(const QRect &frame, const QList<QRect> &screens)
{
    const QRect *nearest = &screens.front();
    qint64 mostShown = 0;
    qint64 least = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const qint64 shown = area(screen.intersected(frame));
        const qint64 d = distance(screen, frame);
        if (shown > mostShown || (mostShown == 0 && d < least)) {
            nearest = &screen;
            mostShown = std::max(mostShown, shown);
            least = std::min(least, d);
        }
    }
    return *nearest;
}

// At most `extent` long from `start`, moved as little as possible to lie
// within [low, high]; a frame longer than the range starts at low.
int within(int start, int extent, int low, int high)
{
    return std::max(low, std::min(start, high + 1 - extent));
}

} // namespace

QPoint reachablePosition(const QRect &frame, const QList<QRect> &screens)
{
    if (screens.isEmpty() || frame.isEmpty())
        return frame.topLeft();

    // Screens that mirror each other show the same part once.
    QRegion shown;
    for (const QRect &screen : screens)
        shown += screen.intersected(frame);
    qint64 shownArea = 0;
    for (const QRect &part : shown)
        shownArea += area(part);
    const QRect &screen = nearestScreen(frame, screens);
    if (shownArea * 2 < area(frame))
        return {within(frame.left(), frame.width(), screen.left(), screen.right()),
                within(frame.top(), frame.height(), screen.top(), screen.bottom())};

    const QRect titleBar(frame.left(), frame.top(), frame.width(), kTitleBarHeight);
    for (const QRect &each : screens) {
        if (each.intersects(titleBar))
            return frame.topLeft();
    }
    const QRect &titleScreen = nearestScreen(titleBar, screens);
    return {frame.left(), within(frame.top(), kTitleBarHeight, titleScreen.top(), titleScreen.bottom())};
}

} // namespace WindowPlacement
