#include "frame/tool_window_layout.h"

#include <algorithm>

namespace zephyrin {

namespace {

// Narrower than this the frame holds no 400 x 300 picture beside its tool bar.
constexpr int kNarrowestFrame = 640;

int widestOf(const QList<QSize>& tools) {
    int width = 0;
    for (const QSize& tool : tools) width = std::max(width, tool.width());
    return width;
}

int stackedHeight(const QList<QSize>& tools) {
    int height = 0;
    for (const QSize& tool : tools) height += tool.height() + kToolWindowGap;
    return std::max(height - kToolWindowGap, 0);
}

// Moves `rect` the least distance that puts it inside `area` (its top-left
// corner inside, when it is larger).
QPoint within(const QRect& area, const QRect& rect) {
    const int x = std::max(area.left(), std::min(rect.left(), area.right() + 1 - rect.width()));
    const int y = std::max(area.top(), std::min(rect.top(), area.bottom() + 1 - rect.height()));
    return QPoint(x, y);
}

}  // namespace

QRect placeFrame(const QRect& available, QSize wanted, int toolColumnWidth) {
    QSize size = wanted.boundedTo(available.size());
    const int beside = toolColumnWidth + kToolWindowGap;
    int left = available.left() + (available.width() - size.width()) / 2;
    if (available.width() >= size.width() + beside) {
        left = available.left() + (available.width() - size.width() - beside) / 2;
    } else if (available.width() - beside >= kNarrowestFrame) {
        size.setWidth(available.width() - beside);
        left = available.left();
    }
    const int top = available.top() + (available.height() - size.height()) / 2;
    return QRect(QPoint(left, top), size);
}

QList<QPoint> placeToolWindows(const QRect& available, const QRect& frame, const QList<QSize>& tools) {
    const int columnWidth = widestOf(tools);
    // The first column's left edge, and which way further columns go.
    int first = available.right() + 1 - columnWidth;
    int step = -(columnWidth + kToolWindowGap);
    if (available.right() - frame.right() - kToolWindowGap >= columnWidth) {
        first = frame.right() + 1 + kToolWindowGap;
        step = -step;
    } else if (frame.left() - available.left() - kToolWindowGap >= columnWidth) {
        first = frame.left() - kToolWindowGap - columnWidth;
    }
    // Further columns go on that way while the screen has room, then the other way.
    QList<int> columns{first};
    const auto fits = [&](int x) {
        return x >= available.left() && x + columnWidth <= available.right() + 1;
    };
    for (int x = first + step; fits(x); x += step) columns.append(x);
    for (int x = first - step; fits(x); x -= step) columns.append(x);
    // Level with the frame's top, or higher where the column would run off the screen.
    const int columnTop =
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - stackedHeight(tools)));

    QList<QPoint> corners;
    int column = 0;
    int y = columnTop;
    for (const QSize& tool : tools) {
        if (y != columnTop && y + tool.height() > available.bottom() + 1 && column + 1 < columns.size()) {
            ++column;
            y = columnTop;
        }
        corners.append(within(available, QRect(QPoint(columns[column], y), tool)));
        y += tool.height() + kToolWindowGap;
    }
    return corners;
}

}  // namespace zephyrin
