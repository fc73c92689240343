#include "window/status_panel.h"

#include <QPainter>

namespace zephyrin {

namespace {
// What stays readable of a read-out such as "cx=-233.333333333333".
constexpr const char* kShortestReadable = "cx=-000.00…";
}  // namespace

StatusPanel::StatusPanel(int designWidth, QWidget* parent) : QLabel(parent), designWidth_(designWidth) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

// One line of the font, whatever the text: a read-out must not change the
// height of the bar (or the window's minimum) as it changes.
int StatusPanel::lineHeight() const {
    return fontMetrics().height() + contentsMargins().top() + contentsMargins().bottom();
}

QSize StatusPanel::sizeHint() const {
    return QSize(designWidth_, lineHeight());
}

QSize StatusPanel::minimumSizeHint() const {
    const int width = fontMetrics().horizontalAdvance(QString::fromUtf8(kShortestReadable)) +
                      contentsMargins().left() + contentsMargins().right();
    return QSize(std::min(width, designWidth_), lineHeight());
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

}  // namespace zephyrin
