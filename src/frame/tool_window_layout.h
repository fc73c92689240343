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

// The top-left corner of the tool window `tool` (one of `tools`, the sizes of
// all tool windows) when the windows in `taken` are already on the screen:
// in the first column with room for it, beside the frame (right, else left,
// else along the screen's right edge) and then further out, level with the
// frame's top or below the windows in the column; else anywhere on the
// screen clear of them. Fully inside `available` and apart from `taken`
// whenever the screen has room for that.
QPoint placeToolWindow(const QRect& available, const QRect& frame, const QList<QSize>& tools,
                       const QList<QRect>& taken, QSize tool);

}  // namespace zephyrin
