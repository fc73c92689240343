#include "frame/tool_window_layout.h"

#include <algorithm>
#include <utility>

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

// The left edges of the tool windows' columns, nearest the frame first: the
// first beside the frame where there is room (right, else left), else along
// the screen's right edge; further ones on that way while the screen has
// room, then the other way.
QList<int> columnLefts(const QRect& available, const QRect& frame, int columnWidth) {
    int first = available.right() + 1 - columnWidth;
    int step = -(columnWidth + kToolWindowGap);
    if (available.right() - frame.right() - kToolWindowGap >= columnWidth) {
        first = frame.right() + 1 + kToolWindowGap;
        step = -step;
    } else if (frame.left() - available.left() - kToolWindowGap >= columnWidth) {
        first = frame.left() - kToolWindowGap - columnWidth;
    }
    QList<int> columns{first};
    const auto fits = [&](int x) {
        return x >= available.left() && x + columnWidth <= available.right() + 1;
    };
    for (int x = first + step; fits(x); x += step) columns.append(x);
    for (int x = first - step; fits(x); x -= step) columns.append(x);
    return columns;
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

QPoint placeToolWindow(const QRect& available, const QRect& frame, const QList<QSize>& tools,
                       const QList<QRect>& taken, QSize tool) {
    const auto clear = [&](QPoint corner) {
        const QRect rect(corner, tool);
        return available.contains(rect) &&
               std::ranges::none_of(taken, [&](const QRect& other) { return rect.intersects(other); });
    };
    const QList<int> columns = columnLefts(available, frame, std::max(widestOf(tools), tool.width()));
    // Level with the frame's top, or higher where the column would run off the screen.
    const int columnTop =
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - stackedHeight(tools)));
    QList<int> tops{columnTop, available.top()};
    for (const QRect& other : taken) tops << other.bottom() + 1 + kToolWindowGap;
    // From the column's top down, then above it.
    std::ranges::sort(tops, {}, [columnTop](int y) { return std::pair(y < columnTop, y); });
    for (int x : columns)
        for (int y : tops)
            if (clear(QPoint(x, y))) return QPoint(x, y);

    // Out of the columns: beside or below any window, or in a corner.
    QList<int> lefts{available.left(), available.right() + 1 - tool.width()};
    QList<int> rows{available.top(), available.bottom() + 1 - tool.height()};
    for (const QRect& other : taken) {
        lefts << other.right() + 1 + kToolWindowGap;
        rows << other.bottom() + 1 + kToolWindowGap;
    }
    std::ranges::sort(rows);
    for (int y : rows)
        for (int x : lefts)
            if (clear(QPoint(x, y))) return QPoint(x, y);
    return within(available, QRect(QPoint(columns.front(), columnTop), tool));
}

}  // namespace zephyrin
