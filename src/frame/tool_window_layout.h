#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zephyrin {

// Where the frame and its tool windows go on a screen. All rectangles and
// sizes are outer ones, window decorations included.

inline constexpr int kToolWindowGap = 8;

// The frame at `wanted` size, or narrower, leaving a column of `toolColumnWidth`
// beside it when the screen is wide enough for both; centred otherwise.
// Always within `available`.
QRect placeFrame(const QRect& available, QSize wanted, int toolColumnWidth);

// The top-left corners of tool windows of the given sizes, in order: stacked
// in a column beside the frame where there is room (right, else left), else
// along the screen's right edge; a further column when one is full. Each lies
// fully inside `available` and none overlaps another, as far as the screen
// holds them all.
QList<QPoint> placeToolWindows(const QRect& available, const QRect& frame, const QList<QSize>& tools);

}  // namespace zephyrin
