#pragma once

#include <QWidget>
#include <array>

class QPlainTextEdit;

namespace zephyrin {

class SettleTimer;
class SpinEdit;

// The Coefficients tool window: the first eighteen map coefficients as three
// affine maps of six. Every change of a spin (also from code) arms the settle
// timer (CoefficiantTimer); once the spins have settled it raises
// coefficientsSettled, on which the owner reads all eighteen with
// SpinEdit::textValue.
class TCForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCount = 18;

    explicit TCForm(QWidget* parent = nullptr);

    // The spin of coefficient i, 1 to 18: A01..A06, B01..B06, C01..C06 in turn.
    // Null for any other i.
    SpinEdit* coefficient(int i) const;

signals:
    void coefficientsSettled();

private:
    QPlainTextEdit* createMemo(QWidget* panel) const;

    std::array<SpinEdit*, kCount> coefficients_{};
    SettleTimer* coefficiantTimer_ = nullptr;
};

}  // namespace zephyrin
