#include "dialogs/gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

namespace zephyrin {

GradientPanel::GradientPanel(QColor top, QColor bottom, QWidget* parent)
    : QWidget(parent), top_(top), bottom_(bottom) {}

void GradientPanel::paintEvent(QPaintEvent*) {
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, top_);
    gradient.setColorAt(1, bottom_);
    QPainter(this).fillRect(rect(), gradient);
}

}  // namespace zephyrin
