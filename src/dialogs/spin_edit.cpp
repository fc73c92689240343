#include "dialogs/spin_edit.h"

#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <limits>

namespace zephyrin {

SpinEdit::SpinEdit(int decimals, double step, QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(decimals);
    constexpr double kLimit = std::numeric_limits<double>::max();
    setRange(-kLimit, kLimit);
    setSingleStep(step);
}

double SpinEdit::textValue() const {
    bool ok = false;
    const double value = locale().toDouble(cleanText(), &ok);
    return ok ? value : 0.0;
}

QSize SpinEdit::sizeHint() const {
    ensurePolished();
    // A sign with one digit and all decimals, or with four digits for whole numbers (picture sizes).
    const QString sample = textFromValue(decimals() > 0 ? -1.0 : -1000.0) + u' ';
    // The two extra pixels leave room for the cursor, as the base class does.
    const QSize text(fontMetrics().horizontalAdvance(sample) + 2, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize SpinEdit::minimumSizeHint() const {
    return sizeHint();
}

}  // namespace zephyrin
