// The Colouring tool window: its sliders' scales and number fields, when it
// applies, and what it shows.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "dialogs/colouring_dialog.h"
#include "dialogs/settle_timer.h"

using namespace zephyrin;

class ColouringDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Brightness and gamma are logarithmic: the middle is the geometric mean.
    // A moved slider gives its value in three figures.
    void slidersSpanTheSettingsRanges() {
        ColouringDialog dialog;
        auto* brightness = dialog.findChild<QSlider*>(QStringLiteral("Brightness"));
        auto* gamma = dialog.findChild<QSlider*>(QStringLiteral("Gamma"));
        auto* vibrancy = dialog.findChild<QSlider*>(QStringLiteral("Vibrancy"));
        brightness->setValue(0);
        QCOMPARE(dialog.settings().brightness, 0.05);
        brightness->setValue(ColouringDialog::kSteps / 2);
        QCOMPARE(dialog.settings().brightness, 1.0);  // sqrt(0.05 * 20)
        gamma->setValue(ColouringDialog::kSteps / 2);
        QCOMPARE(dialog.settings().gamma, 1.41);  // sqrt(0.2 * 10) = 1.4142...
        QCOMPARE(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("GammaValue"))->text(),
                 QStringLiteral("1.41"));
        vibrancy->setValue(ColouringDialog::kSteps / 4);
        QCOMPARE(dialog.settings().vibrancy, 0.25);
    }

    // The defaults, and typed values, are exact; the slider follows them.
    void numberFieldsTakeExactValues() {
        ColouringDialog dialog;
        QCOMPARE(dialog.settings().brightness, 1.0);
        QCOMPARE(dialog.settings().gamma, 2.2);
        QCOMPARE(dialog.settings().vibrancy, 1.0);
        auto* field = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("GammaValue"));
        QCOMPARE(field->text(), QStringLiteral("2.2"));
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("4.125"));
        QCOMPARE(dialog.settings().gamma, 4.125);
        // log(4.125 / 0.2) / log(10 / 0.2) = 0.7738 of the way
        QCOMPARE(dialog.findChild<QSlider*>(QStringLiteral("Gamma"))->value(), 155);
        DensitySettings loaded;
        loaded.vibrancy = 0.123456789;
        dialog.setSettings(loaded);
        QCOMPARE(dialog.settings().vibrancy, 0.123456789);
    }

    // Shown from a picture, the dialog stays quiet; changed, it applies once.
    void appliesOnlyWhatTheUserChanges() {
        ColouringDialog dialog;
        auto* timer = dialog.findChild<SettleTimer*>(QStringLiteral("ColouringTimer"));
        DensitySettings shown;
        shown.gamma = 4.5;
        shown.gradient = "fire";
        dialog.setSettings(shown);
        QVERIFY(!timer->isActive());
        QCOMPARE(dialog.settings().gamma, 4.5);
        QSignalSpy settled(&dialog, &ColouringDialog::colouringSettled);
        dialog.findChild<QComboBox*>(QStringLiteral("Gradient"))->setCurrentText(QStringLiteral("ice"));
        timer->tick();
        timer->tick();
        QCOMPARE(settled.count(), 1);
        QCOMPARE(dialog.settings().gradient, std::string("ice"));
    }

    // Every gradient has its swatch, and the 16-bit box shows whether it is ticked.
    void gradientsAndTheSixteenBitBoxShow() {
        ColouringDialog dialog;
        dialog.show();
        const auto* gradients = dialog.findChild<QComboBox*>(QStringLiteral("Gradient"));
        for (int i = 0; i < gradients->count(); ++i) QVERIFY(!gradients->itemIcon(i).isNull());
        QCheckBox* box = dialog.sixteenBits();
        // As it shows on the panel.
        const auto shown = [&] { return box->parentWidget()->grab(box->geometry()).toImage(); };
        box->setChecked(false);
        const QImage unticked = shown();
        box->setChecked(true);
        const QImage ticked = shown();
        // The mark stands out from its box: some pixel changes by half the grey scale.
        int change = 0;
        for (int y = 0; y < ticked.height(); ++y)
            for (int x = 0; x < ticked.width(); ++x)
                change = std::max(change, std::abs(qGray(ticked.pixel(x, y)) - qGray(unticked.pixel(x, y))));
        QVERIFY2(change >= 128, qPrintable(QString::number(change)));
    }
};

QTEST_MAIN(ColouringDialogTest)
#include "colouring_dialog_test.moc"
