#pragma once

#include <QSize>
#include <vector>

class QWidget;

namespace zephyrin {

// A control of a dialog at its design position: left and top in pixels of the
// client area, and its least width (0: its own width).
struct DesignSlot {
    QWidget* widget;
    int left;
    int top;
    int width = 0;
};

// Places the controls of a client panel at their design positions, with
// widths and heights that fit the current font and style. Controls that share
// a top form a row and are centred on it; controls that share a left form a
// column, which moves right as a whole where a wider control to its left
// would overlap it. The panel gets its design size, or more if the controls
// reach further.
void layOutByDesign(QWidget* panel, QSize designSize, const std::vector<DesignSlot>& controls);

}  // namespace zephyrin
