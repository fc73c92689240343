#include "dialogs/coefficients_dialog.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "dialogs/design_layout.h"
#include "dialogs/gradient_panel.h"
#include "dialogs/settle_timer.h"
#include "dialogs/spin_edit.h"

namespace zephyrin {

namespace {

const QStringList kMemoLines = {
    QStringLiteral("xnew := fx*v.af[1 + j] + fy*v.af[3 + j] + v.af[5 + j];"),
    QStringLiteral("y        := fx*v.af[2 + j] + fy*v.af[4 + j] + v.af[6 + j];"),
    QStringLiteral("x        := xnew;"),
};

}  // namespace

TCForm::TCForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("Coefficients"));
    coefficiantTimer_ = new SettleTimer(this);
    coefficiantTimer_->setObjectName(QStringLiteral("CoefficiantTimer"));
    connect(coefficiantTimer_, &SettleTimer::settled, this, &TCForm::coefficientsSettled);

    auto* panel = new GradientPanel(QColor(128, 0, 0), Qt::black, this);
    QPlainTextEdit* memo = createMemo(panel);
    std::vector<DesignSlot> controls = {{memo, 8, 8}};
    // The maps start below the memo, which may be taller than designed.
    const int top = std::max(64, memo->height() + 15);
    // Created in name order, which is the tab order; placed as the memo reads:
    // the upper row of a block computes the new x, the lower the new y.
    for (int i = 0; i < kCount; ++i) {
        const int block = i / 6;
        const int inBlock = i % 6;
        auto* spin = new SpinEdit(9, block < 2 ? 0.05 : 0.1, panel);
        spin->setObjectName(
            QStringLiteral("%1%2").arg(QChar(u'A' + block)).arg(inBlock + 1, 2, 10, QChar(u'0')));
        if (block < 2) spin->setToolTip(QStringLiteral("af[%1]").arg(i + 1));
        connect(spin, &SpinEdit::valueChanged, coefficiantTimer_, &SettleTimer::arm);
        coefficients_[i] = spin;
        controls.push_back({spin, 24 + 80 * (inBlock / 2), top + 64 * block + 24 * (inBlock % 2), 65});
    }
    layOutByDesign(panel, QSize(266, 246), controls);
    // The memo spans the maps, however far the spins have grown.
    memo->setFixedWidth(std::max(memo->width(), panel->width() - 16));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel);
}

SpinEdit* TCForm::coefficient(int i) const {
    return i >= 1 && i <= kCount ? coefficients_[i - 1] : nullptr;
}

QPlainTextEdit* TCForm::createMemo(QWidget* panel) const {
    auto* memo = new QPlainTextEdit(kMemoLines.join(u'\n'), panel);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->ensurePolished();
    // At least the designed 249 by 49 pixels, and room for the three lines unwrapped.
    const QFontMetrics metrics = memo->fontMetrics();
    int textWidth = 0;
    for (const QString& line : kMemoLines) textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int frame =
        2 * (memo->frameWidth() + static_cast<int>(std::ceil(memo->document()->documentMargin())));
    memo->setFixedSize(std::max(249, textWidth + frame + 4),
                       std::max(49, static_cast<int>(kMemoLines.size()) * metrics.lineSpacing() + frame + 2));
    return memo;
}

}  // namespace zephyrin
