#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>

// Where a restored window may stay. A stored position is used as it is, even
// partly off the screen, as long as at least half of the window shows and its
// title bar can be reached. A window that would show less than half of itself
// is placed wholly on the screen nearest to it; one whose title bar alone lies
// off every screen is brought back just far enough to reach the title bar.
namespace WindowPlacement {

// The height of the strip at the top of the frame that holds the title bar.
inline constexpr int kTitleBarHeight = 30;
// What a window manager's frame is taken to add around a window that has not
// been shown yet, whose frame is not known.
inline constexpr QMargins kFrameMargins{8, kTitleBarHeight, 8, 8};

// The top-left corner for a frame on these screens (their available areas).
QPoint reachablePosition(const QRect &frame, const QList<QRect> &screens);

} // namespace WindowPlacement
