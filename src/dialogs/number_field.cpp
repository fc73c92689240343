#include "dialogs/number_field.h"

#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace zephyrin {

NumberField::NumberField(double low, double high, QWidget* parent) : QDoubleSpinBox(parent) {
    // Enough decimals that a double of the range keeps its every digit.
    setDecimals(15);
    setRange(low, high);
    setSingleStep(0.1);
}

QString NumberField::textFromValue(double value) const {
    QLocale shown = locale();
    shown.setNumberOptions(QLocale::OmitGroupSeparator);
    return shown.toString(value, 'f', QLocale::FloatingPointShortest);
}

QSize NumberField::sizeHint() const {
    ensurePolished();
    // Room for everyday values of a few digits, not for fifteen decimals.
    const QString sample = textFromValue(20.125) + u' ';
    const QSize text(fontMetrics().horizontalAdvance(sample) + 2, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

}  // namespace zephyrin
