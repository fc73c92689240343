#pragma once

#include <QDoubleSpinBox>

namespace zephyrin {

// A floating-point spin edit without a range: every finite value is accepted
// and kept. Write it with setValue (which raises valueChanged when the value
// differs); read it with textValue, which parses the text as shown, so a
// cleared or half-typed field reads as 0 while value() would still hold the
// last complete number.
class SpinEdit : public QDoubleSpinBox {
    Q_OBJECT

public:
    SpinEdit(int decimals, double step, QWidget* parent);

    double textValue() const;

    // Sized for everyday values rather than for the range's ends, which run to
    // hundreds of digits.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

}  // namespace zephyrin
