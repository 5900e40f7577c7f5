#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where a restored window may stay. A stored position is used as it is, even
// partly off the screen; only a window whose title bar would lie entirely
// off every screen is brought back, just far enough that the title bar can
// be reached and the window dragged.
namespace WindowPlacement {

// The height of the strip at the top of the frame that holds the title bar.
inline constexpr int kTitleBarHeight = 30;
// How much of the title bar's width is brought back onto the screen.
inline constexpr int kReachableWidth = 120;

// The top-left corner for a frame: frame.topLeft() when its title bar
// touches one of the screens, otherwise the nearest corner that puts the
// title bar on the screen nearest to it.
QPoint reachablePosition(const QRect &frame, const QList<QRect> &screens);

} // namespace WindowPlacement
