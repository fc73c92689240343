#include <QCheckBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "dialog_checks.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/settle_timer.h"
#include "dialogs/spin_edit.h"

using zephyrin::SettleTimer;
using zephyrin::SpinEdit;
using zephyrin::TForm4;
using namespace zephyrin::testing;

namespace {

SettleTimer* ColorTimer(const TForm4& dialog) {
    return dialog.findChild<SettleTimer*>(QStringLiteral("ColorTimer"));
}

// Clicks the box's indicator, as a user does.
void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void AddRows(std::initializer_list<const char*> names) {
    QTest::addColumn<QString>("name");
    for (const char* name : names) QTest::newRow(name) << QString::fromLatin1(name);
}

}  // namespace

class ParametersDialogTest : public QObject {
    Q_OBJECT

private slots:
    void window() {
        TForm4 dialog;
        VerifyToolWindow(&dialog, QStringLiteral("Parameters"), QSize(246, 373));
    }

    void controls_data() {
        const auto box = [](const char* caption) {
            return QVariantMap{{"text", caption}, {"checked", false}};
        };
        const auto bar = [](int low, int high) {
            return QVariantMap{{"minimum", low},
                               {"maximum", high},
                               {"singleStep", 1},
                               {"value", 0},
                               {"orientation", QVariant::fromValue(Qt::Horizontal)}};
        };
        const auto text = [](const char* caption) { return QVariantMap{{"text", caption}}; };
        const auto button = [](const char* hint) {
            return QVariantMap{{"toolTip", hint}, {"size", QSize(23, 22)}};
        };
        AddControlColumns();
        AddControl("square_root", "QCheckBox", box("Square Root Filtering"));
        AddControl("Invert", "QCheckBox", box("White"));
        AddControl("Intensity", "QSlider", bar(0, 64));
        AddControl("Factor1", "QLabel", text("Itsity"));
        AddControl("RedBar1", "QSlider", bar(-200, 200));
        AddControl("RedLabel1", "QLabel", text("RL1"));
        AddControl("GrnBar1", "QSlider", bar(-200, 200));
        AddControl("GrnLabel1", "QLabel", text("GL1"));
        AddControl("BluBar1", "QSlider", bar(-200, 200));
        AddControl("BluLabel1", "QLabel", text("BL1"));
        AddControl("Randomizer", "QSlider", bar(0, 50));
        AddControl("RandomFactor", "QLabel", text("RF"));
        AddControl("constAA", "QDoubleSpinBox", SpinProperties(0.001, 9));
        AddControl("parameterX", "QDoubleSpinBox", SpinProperties(0.001, 9));
        AddControl("constBB", "QDoubleSpinBox", SpinProperties(0.0001, 9));
        AddControl("parameterY", "QDoubleSpinBox", SpinProperties(0.001, 9));
        AddControl("None", "QCheckBox", box("None"));
        AddControl("Factor2_bar", "QSlider", bar(0, 20));
        AddControl("Factor2", "QLabel", text("Factor2"));
        AddControl("Linear", "QCheckBox", box("Linear"));
        AddControl("Horseshoe", "QCheckBox", box("Horseshoe"));
        AddControl("Sinusoidal", "QCheckBox", box("Sinusoidal"));
        AddControl("Spherical", "QCheckBox", box("Spherical"));
        AddControl("Swirl", "QCheckBox", box("Swirl"));
        AddControl("Polar", "QCheckBox", box("Polar"));
        AddControl("Bent", "QCheckBox", box("Bent"));
        AddControl("Inversion", "QCheckBox", box("Inversion"));
        AddControl("ToolbarButton971", "QToolButton", button("Close"));
        AddControl("ToolbarButton972", "QToolButton", button("Stop"));
        AddControl("ResetButton", "QToolButton", button("Reset"));
        AddControl("DrawRandomButton", "QToolButton", button("Draw Random"));
        AddControl("ApplyButton", "QToolButton", button("Apply (Start Over)"));
        AddControl("ColorTimer", "QTimer", SettleTimerProperties());
    }
    void controls() {
        TForm4 dialog;
        VerifyControl(&dialog);
    }

    // Bars and spins set from code raise their change, as the transfers into the dialog rely on.
    void changeFromCodeArms_data() {
        AddRows({"Intensity", "RedBar1", "GrnBar1", "BluBar1", "Randomizer", "Factor2_bar", "constAA",
                 "parameterX", "constBB", "parameterY"});
    }
    void changeFromCodeArms() {
        QFETCH(QString, name);
        TForm4 dialog;
        if (auto* bar = dialog.findChild<QSlider*>(name)) bar->setValue(1);
        if (auto* spin = dialog.findChild<SpinEdit*>(name)) spin->setValue(1.5);
        QVERIFY(ColorTimer(dialog)->isActive());
    }

    // Boxes ticked from code raise nothing; a click arms. Polar and Inversion share one handler.
    void boxArmsOnlyWhenClicked_data() {
        AddRows({"square_root", "Invert", "None", "Linear", "Horseshoe", "Sinusoidal", "Spherical", "Swirl",
                 "Polar", "Bent", "Inversion"});
    }
    void boxArmsOnlyWhenClicked() {
        QFETCH(QString, name);
        TForm4 dialog;
        dialog.show();
        auto* box = dialog.findChild<QCheckBox*>(name);
        box->setChecked(true);
        QVERIFY(!ColorTimer(dialog)->isActive());
        ClickBox(box);
        QVERIFY(!box->isChecked());
        QVERIFY(ColorTimer(dialog)->isActive());
    }

    // Changes 100 ms apart, with the 250 ms ticks in between: the count starts
    // again at each change, so only the second tick after the last change applies,
    // and it applies once.
    void settlesOnceAfterLastChange_data() { AddRows({"RedBar1", "constAA", "Inversion"}); }
    void settlesOnceAfterLastChange() {
        QFETCH(QString, name);
        TForm4 dialog;
        dialog.show();
        SettleTimer* timer = ColorTimer(dialog);
        QSignalSpy settled(&dialog, &TForm4::coloursSettled);
        const auto change = [&](int k) {
            if (auto* bar = dialog.findChild<QSlider*>(name)) bar->setValue(10 * k);
            if (auto* spin = dialog.findChild<SpinEdit*>(name)) spin->setValue(0.5 * k);
            if (auto* box = dialog.findChild<QCheckBox*>(name)) ClickBox(box);
        };
        change(1), change(2), change(3);
        timer->tick();  // 250 ms
        change(4), change(5);
        timer->tick();  // 500 ms
        QCOMPARE(settled.count(), 0);
        timer->tick();  // 750 ms
        QCOMPARE(settled.count(), 1);
        QVERIFY(!timer->isActive());
    }

    void toolBarButtons() {
        TForm4 dialog;
        dialog.show();
        QSignalSpy stop(&dialog, &TForm4::stopRequested);
        QSignalSpy reset(&dialog, &TForm4::resetRequested);
        QSignalSpy drawRandom(&dialog, &TForm4::drawRandomRequested);
        QSignalSpy apply(&dialog, &TForm4::applyRequested);
        const auto click = [&dialog](const char* name) {
            QTest::mouseClick(dialog.findChild<QToolButton*>(QLatin1String(name)), Qt::LeftButton);
        };
        click("ToolbarButton972");
        click("ResetButton");
        click("ResetButton");
        click("DrawRandomButton");
        QCOMPARE(stop.count(), 1);
        QCOMPARE(reset.count(), 2);
        QCOMPARE(drawRandom.count(), 1);
        QCOMPARE(apply.count(), 0);
        click("ApplyButton");
        QCOMPARE(apply.count(), 1);
        QVERIFY(dialog.isVisible());
        click("ToolbarButton971");
        QVERIFY(dialog.isHidden());
        QVERIFY(!ColorTimer(dialog)->isActive());
    }
};

QTEST_MAIN(ParametersDialogTest)
#include "parameters_dialog_test.moc"
