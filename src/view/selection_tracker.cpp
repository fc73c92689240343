#include "view/selection_tracker.h"

#include <algorithm>
#include <cstdlib>

namespace zephyrin {

namespace {

// How close to an edge, in pixels, a press takes hold of it.
constexpr int kGrip = 4;

// Unlike std::clamp, defined when high < low (a rectangle wider than the
// picture can only start at 0).
int within(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

}  // namespace

void SelectionTracker::setBounds(QSize bounds) {
    bounds_ = bounds;
    dragging_ = false;
    setWidth(rect_.width());
    setHeight(rect_.height());
    if (rect_.isEmpty()) exists_ = false;
}

void SelectionTracker::setExists(bool exists) {
    exists_ = exists;
    dragging_ = false;
}

void SelectionTracker::setLeft(int left) {
    rect_.moveLeft(within(left, 0, bounds_.width() - rect_.width()));
}

void SelectionTracker::setTop(int top) {
    rect_.moveTop(within(top, 0, bounds_.height() - rect_.height()));
}

void SelectionTracker::setWidth(int width) {
    width = within(width, 0, bounds_.width());
    rect_.setWidth(width);
    rect_.moveLeft(std::min(rect_.left(), bounds_.width() - width));
}

void SelectionTracker::setHeight(int height) {
    height = within(height, 0, bounds_.height());
    rect_.setHeight(height);
    rect_.moveTop(std::min(rect_.top(), bounds_.height() - height));
}

void SelectionTracker::beginDrag(QPoint point) {
    dragging_ = true;
    grabbedEdges_ = edgesAt(point);
    if (grabbedEdges_ != 0) {
        grabPoint_ = point;
        grabRect_ = rect_;
        return;
    }
    // A new rectangle: its bottom-right corner follows the pointer from the
    // pressed point, and crossing the anchor flips it.
    grabPoint_ = QPoint(within(point.x(), 0, bounds_.width()), within(point.y(), 0, bounds_.height()));
    grabRect_ = QRect(grabPoint_, QSize(0, 0));
    grabbedEdges_ = kRight | kBottom;
    rect_ = grabRect_;
    exists_ = false;
}

void SelectionTracker::dragTo(QPoint point) {
    if (!dragging_) return;
    const QPoint delta = point - grabPoint_;
    if (grabbedEdges_ == kAllEdges) {
        rect_ = grabRect_;
        setLeft(grabRect_.left() + delta.x());
        setTop(grabRect_.top() + delta.y());
        return;
    }
    int left = grabRect_.left();
    int top = grabRect_.top();
    int right = left + grabRect_.width();
    int bottom = top + grabRect_.height();
    if (grabbedEdges_ & kLeft) left = within(left + delta.x(), 0, bounds_.width());
    if (grabbedEdges_ & kRight) right = within(right + delta.x(), 0, bounds_.width());
    if (grabbedEdges_ & kTop) top = within(top + delta.y(), 0, bounds_.height());
    if (grabbedEdges_ & kBottom) bottom = within(bottom + delta.y(), 0, bounds_.height());
    rect_ = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                  QSize(std::abs(right - left), std::abs(bottom - top)));
    exists_ = !rect_.isEmpty();
}

void SelectionTracker::endDrag() {
    dragging_ = false;
    if (rect_.isEmpty()) exists_ = false;
}

Qt::CursorShape SelectionTracker::cursorAt(QPoint point) const {
    switch (edgesAt(point)) {
        case 0:
            return Qt::CrossCursor;
        case kAllEdges:
            return Qt::SizeAllCursor;
        case kLeft:
        case kRight:
            return Qt::SizeHorCursor;
        case kTop:
        case kBottom:
            return Qt::SizeVerCursor;
        case kLeft | kTop:
        case kRight | kBottom:
            return Qt::SizeFDiagCursor;
        default:
            return Qt::SizeBDiagCursor;
    }
}

int SelectionTracker::edgesAt(QPoint point) const {
    if (!exists_) return 0;
    const int left = rect_.left();
    const int top = rect_.top();
    const int right = left + rect_.width();
    const int bottom = top + rect_.height();
    if (point.x() < left - kGrip || point.x() > right + kGrip || point.y() < top - kGrip ||
        point.y() > bottom + kGrip)
        return 0;
    const int toLeft = std::abs(point.x() - left);
    const int toRight = std::abs(point.x() - right);
    const int toTop = std::abs(point.y() - top);
    const int toBottom = std::abs(point.y() - bottom);
    int edges = 0;
    if (std::min(toLeft, toRight) <= kGrip) edges |= toLeft < toRight ? kLeft : kRight;
    if (std::min(toTop, toBottom) <= kGrip) edges |= toTop < toBottom ? kTop : kBottom;
    return edges == 0 ? kAllEdges : edges;
}

}  // namespace zephyrin
