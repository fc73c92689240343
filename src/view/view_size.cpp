#include "view/view_size.h"

namespace zephyrin {

QSize scrollViewSizeFor(QSize content, int frameWidth, QSize scrollBars, QSize limits) {
    QSize size = content + QSize(2 * frameWidth, 2 * frameWidth);
    bool horizontalBar = false;
    bool verticalBar = false;
    // One bar narrows the view for the other direction, so a second look can
    // find that the other bar is needed as well.
    for (int pass = 0; pass < 2; ++pass) {
        if (!horizontalBar && size.width() > limits.width()) {
            horizontalBar = true;
            size.rheight() += scrollBars.height();
        }
        if (!verticalBar && size.height() > limits.height()) {
            verticalBar = true;
            size.rwidth() += scrollBars.width();
        }
    }
    return size.boundedTo(limits);
}

}  // namespace zephyrin
