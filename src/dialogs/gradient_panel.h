#pragma once

#include <QColor>
#include <QWidget>

namespace zephyrin {

// The client area of a tool dialog: a background shaded from one colour at
// the top to another at the bottom, on which the controls sit.
class GradientPanel : public QWidget {
    Q_OBJECT

public:
    GradientPanel(QColor top, QColor bottom, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor top_;
    QColor bottom_;
};

}  // namespace zephyrin
