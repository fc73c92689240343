// The Colouring tool window: its sliders' scales, and when it applies.
#include <QComboBox>
#include <QLabel>
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
    void slidersSpanTheSettingsRanges() {
        ColouringDialog dialog;
        auto* brightness = dialog.findChild<QSlider*>(QStringLiteral("Brightness"));
        auto* vibrancy = dialog.findChild<QSlider*>(QStringLiteral("Vibrancy"));
        brightness->setValue(0);
        QCOMPARE(dialog.settings().brightness, 0.05);
        brightness->setValue(ColouringDialog::kSteps / 2);
        QVERIFY(qFuzzyCompare(dialog.settings().brightness, 1.0));  // sqrt(0.05 * 20)
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("BrightnessValue"))->text(),
                 QStringLiteral("1.00"));
        vibrancy->setValue(ColouringDialog::kSteps);
        QCOMPARE(dialog.settings().vibrancy, 1.0);
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
        QVERIFY(qAbs(dialog.settings().gamma - 4.5) < 0.1);
        QSignalSpy settled(&dialog, &ColouringDialog::colouringSettled);
        dialog.findChild<QComboBox*>(QStringLiteral("Gradient"))->setCurrentText(QStringLiteral("ice"));
        timer->tick();
        timer->tick();
        QCOMPARE(settled.count(), 1);
        QCOMPARE(dialog.settings().gradient, std::string("ice"));
    }
};

QTEST_MAIN(ColouringDialogTest)
#include "colouring_dialog_test.moc"
