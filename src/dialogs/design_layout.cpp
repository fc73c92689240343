#include "dialogs/design_layout.h"

#include <QRect>
#include <QWidget>
#include <algorithm>
#include <map>
#include <set>

namespace zephyrin {

namespace {

// Least room between neighbours on a row, and between the controls and the
// panel's right and bottom edges.
constexpr int kGap = 4;
constexpr int kMargin = 8;

bool overlapVertically(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

}  // namespace

void layOutByDesign(QWidget* panel, QSize designSize, const std::vector<DesignSlot>& controls) {
    std::vector<QRect> rects;
    std::map<int, int> rowHeights;
    std::set<int> columnLefts;
    for (const DesignSlot& slot : controls) {
        QWidget* widget = slot.widget;
        widget->ensurePolished();
        QSize size = widget->sizeHint().expandedTo(QSize(slot.width, 0));
        size = size.boundedTo(widget->maximumSize()).expandedTo(widget->minimumSize());
        rects.emplace_back(QPoint(slot.left, slot.top), size);
        rowHeights[slot.top] = std::max(rowHeights[slot.top], size.height());
        columnLefts.insert(slot.left);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int top = controls[i].top;
        rects[i].moveTop(top + (rowHeights[top] - rects[i].height()) / 2);
    }
    // Columns from left to right, so everything left of a column has its final place.
    for (const int left : columnLefts) {
        int placedLeft = left;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].left != left) continue;
            for (std::size_t k = 0; k < controls.size(); ++k) {
                if (controls[k].left < left && overlapVertically(rects[i], rects[k])) {
                    placedLeft = std::max(placedLeft, rects[k].right() + 1 + kGap);
                }
            }
        }
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].left == left) rects[i].moveLeft(placedLeft);
        }
    }
    QRect used;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        controls[i].widget->setGeometry(rects[i]);
        used |= rects[i];
    }
    panel->setFixedSize(
        designSize.expandedTo(QSize(used.right() + 1 + kMargin, used.bottom() + 1 + kMargin)));
}

}  // namespace zephyrin
