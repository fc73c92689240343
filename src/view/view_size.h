#pragma once

#include <QSize>

namespace zephyrin {

// The outer size a scroll view needs to show content of the given size whole:
// the content and the frame on both sides, plus a scroll bar on each side where
// the other direction would still not fit within limits; then held within
// limits. scrollBars holds the width of the vertical bar and the height of the
// horizontal one.
QSize scrollViewSizeFor(QSize content, int frameWidth, QSize scrollBars, QSize limits);

}  // namespace zephyrin
