#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

namespace zephyrin {

// The selection rectangle of a picture in pixel coordinates, and what a
// left-button drag does to it: create it on empty ground, move it from inside,
// resize it from an edge or corner. It always stays within the picture.
class SelectionTracker {
public:
    // The picture's size; the rectangle is pulled inside, and disappears when
    // nothing of it is left.
    void setBounds(QSize bounds);

    bool exists() const { return exists_; }
    void setExists(bool exists);
    QRect rect() const { return rect_; }

    // Each setter keeps the rectangle inside the picture: a position is limited
    // to where the rectangle fits, a size to the picture's, and a rectangle
    // that would stick out after a size change is moved back in.
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);

    // Points are picture pixels and may lie outside the picture during a drag.
    void beginDrag(QPoint point);
    void dragTo(QPoint point);
    void endDrag();
    bool dragging() const { return dragging_; }

    // What a drag starting at point would do.
    Qt::CursorShape cursorAt(QPoint point) const;

private:
    enum Edge { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kAllEdges = 15 };

    // The edges a drag from point would take along; 0 outside the rectangle.
    int edgesAt(QPoint point) const;

    QSize bounds_;
    QRect rect_{0, 0, 0, 0};
    bool exists_ = false;

    bool dragging_ = false;
    int grabbedEdges_ = 0;
    QPoint grabPoint_;
    QRect grabRect_;
};

}  // namespace zephyrin
