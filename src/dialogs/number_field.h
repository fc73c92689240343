#pragma once

#include <QDoubleSpinBox>

namespace zephyrin {

// A number field for a value within a range, shown as the shortest decimal
// text that reads back as it (2.2, not 2.20 nor 2.2177...), so that a typed
// value is kept exactly as typed.
class NumberField : public QDoubleSpinBox {
    Q_OBJECT

public:
    NumberField(double low, double high, QWidget* parent);

    QString textFromValue(double value) const override;
    QSize sizeHint() const override;
};

}  // namespace zephyrin
