// Showing and hiding the dialogs, the Coefficients dialog and switching
// windows: what the dialogs load from a window and write into the active one.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialog_values.h"
#include "dialogs/coefficients_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/settle_timer.h"
#include "dialogs/spin_edit.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "program_fixture.h"
#include "qt_test_main.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

class WindowDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Shown at the bar's end with its own text; applied, the end is what stays.
    void showingAndHidingLeavesOnlyTheReturnTrip() {
        ProgramWithWindow q;
        TFractalRec& v = q.child->document().v;
        v.factor2 = 0.35;
        v.intensity = 12;
        v.red = 3;
        v.green = -4;
        v.blue = 5;
        v.randomizer = 1.4;
        v.AA = v.AAStart = v.AACopy = 0.5;
        v.BB = 0.25;
        v.startX = -0.125;
        v.startY = 0.375;
        v.varBent = kTrue;
        QSignalSpy settled(q.program.Form4, &TForm4::coloursSettled);
        q.program.MainForm->ParmatersButtonClick();
        QVERIFY(q.program.Form4->isVisible());
        QCOMPARE(q.program.Form4->Factor2_bar()->value(), 20);
        QCOMPARE(q.program.Form4->Factor2()->text(), Fixed("0.35"));
        q.program.MainForm->ParmatersButtonClick();
        QVERIFY(!q.program.Form4->isVisible());
        QVERIFY(settled.wait(kSettleCap));  // the settle timer runs on while hidden
        COMPARE_EXACTLY(v.factor2, 0.2);
        QCOMPARE(q.program.Form4->Factor2()->text(), Fixed("0.20"));
        COMPARE_EXACTLY(v.intensity, 12.0);
        COMPARE_EXACTLY(v.red, 3.0);
        COMPARE_EXACTLY(v.green, -4.0);
        COMPARE_EXACTLY(v.blue, 5.0);
        COMPARE_EXACTLY(v.randomizer, 1.4);
        COMPARE_EXACTLY(v.AAStart, 0.5);
        COMPARE_EXACTLY(v.BB, 0.25);
        COMPARE_EXACTLY(v.startX, -0.125);
        COMPARE_EXACTLY(v.startY, 0.375);
        QCOMPARE(v.varBent, kTrue);
        QCOMPARE(v.varNone, kFalse);
    }

    void coefficientsGoByTheirNames() {
        ProgramWithWindow q;
        const char* names[] = {"A01", "A02", "A03", "A04", "A05", "A06", "B01", "B02", "B03",
                               "B04", "B05", "B06", "C01", "C02", "C03", "C04", "C05", "C06"};
        q.child->document().v.af[19] = 7.5;
        QSignalSpy settled(q.program.CForm, &TCForm::coefficientsSettled);
        for (int i = 1; i <= 18; ++i) q.program.CForm->findChild<SpinEdit*>(names[i - 1])->setValue(i + 0.25);
        QVERIFY(settled.wait(kSettleCap));
        QCOMPARE(settled.count(), 1);
        for (int i = 1; i <= 18; ++i) COMPARE_EXACTLY(q.child->document().v.af[i], i + 0.25);
        COMPARE_EXACTLY(q.child->document().v.af[19], 7.5);

        for (int i = 1; i <= 18; ++i) q.child->document().v.af[i] = -0.125 * i;
        q.program.MainForm->UpdateParameters();
        for (int i = 1; i <= 18; ++i)
            QCOMPARE(q.program.CForm->findChild<SpinEdit*>(names[i - 1])->textValue(), -0.125 * i);
    }

    void showingADialogLoadsBothFromTheWindowAndHidingLoadsNothing() {
        ProgramWithWindow q;
        TMDIChild* w = q.child;
        w->document().v.intensity = 17;
        w->document().v.af[5] = 0.25;
        w->findChild<QAction*>(QStringLiteral("IFSConstants1"))->trigger();
        QVERIFY(q.program.CForm->isVisible());
        QVERIFY(!q.program.Form4->isVisible());
        QCOMPARE(q.program.CForm->coefficient(5)->textValue(), 0.25);
        QCOMPARE(q.program.Form4->Intensity()->value(), 17);

        w->document().v.intensity = 3;
        w->document().v.af[5] = -1;
        w->findChild<QAction*>(QStringLiteral("IFSConstants1"))->trigger();
        QVERIFY(!q.program.CForm->isVisible());
        QCOMPARE(q.program.CForm->coefficient(5)->textValue(), 0.25);
        QCOMPARE(q.program.Form4->Intensity()->value(), 17);

        w->findChild<QAction*>(QStringLiteral("Parameters1"))->trigger();
        QVERIFY(q.program.Form4->isVisible());
        QCOMPARE(q.program.Form4->Intensity()->value(), 3);
        QCOMPARE(q.program.CForm->coefficient(5)->textValue(), -1.0);
        w->findChild<QAction*>(QStringLiteral("Parameters1"))->trigger();
        QVERIFY(!q.program.Form4->isVisible());
    }

    void aRandomStartsCoefficientsComeBackWithNineDecimals() {
        Program program;
        program.MainForm->show();
        Coefficients shown, applied;
        bool captured = false, done = false;
        int depth = -1;
        // The first spin change is the start writing its random values into the dialog.
        connect(program.CForm->coefficient(1), &QDoubleSpinBox::valueChanged, program.CForm, [&] {
            if (captured) return;
            captured = true;
            TMDIChild* child = program.MainForm->activeChild();
            shown = child->document().v.af;
            // The dialog settles once, writing what it shows into the record.
            const SettleTimer* settle =
                program.CForm->findChild<SettleTimer*>(QStringLiteral("CoefficiantTimer"));
            When([settle] { return !settle->isActive(); },
                 [&, child] {
                     applied = child->document().v.af;
                     depth = program.engine.Depth();
                     done = true;
                     program.MainForm->StopButtonClick();
                 });
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QCOMPARE(depth, 1);
        int rounded = 0;
        for (int i = 1; i <= 18; ++i) {
            QVERIFY2(applied[i] == NineDecimals(shown[i]), qPrintable(QStringLiteral("af[%1]: %2 from %3")
                                                                          .arg(i)
                                                                          .arg(applied[i], 0, 'g', 17)
                                                                          .arg(shown[i], 0, 'g', 17)));
            if (applied[i] != shown[i]) ++rounded;
        }
        QVERIFY(rounded > 0);
        for (int i = 19; i <= Coefficients::kCount; ++i) QCOMPARE(applied[i], shown[i]);
    }

    // The dialogs last loaded from P; after a switch to Q the first
    // application writes everything shown into Q.
    void theFirstApplicationAfterASwitchWritesAllShownIntoTheActiveWindow() {
        ProgramWithWindow q;
        TMDIChild* P = q.child;
        TMDIChild* Q = q.NewWindow();
        TFractalRec& p = P->document().v;
        p.intensity = 20;
        p.red = 30;
        p.green = 40;
        p.blue = 50;
        p.factor2 = 0.05;
        p.randomizer = 3;
        p.AA = p.AAStart = p.AACopy = 1.25;
        p.BB = -0.5;
        p.startX = 0.125;
        p.startY = 0.25;
        ClearFlags(p);
        p.sqrtFilter = p.white = p.varSpherical = kTrue;
        p.af[1] = 0.75;
        TFractalRec& r = Q->document().v;
        r.intensity = 5;
        r.red = 1;
        r.green = 2;
        r.blue = 3;
        r.factor2 = 0.1;
        r.randomizer = 1;
        r.AA = r.AAStart = r.AACopy = 0.5;
        r.BB = 2;
        r.startX = 7;
        r.startY = 8;
        ClearFlags(r);
        r.varNone = kTrue;
        r.af[1] = -0.5;

        QSignalSpy colors(q.program.Form4, &TForm4::coloursSettled);
        QSignalSpy coefficients(q.program.CForm, &TCForm::coefficientsSettled);
        QVERIFY(q.Activate(P));
        q.program.MainForm->ParmatersButtonClick();
        QVERIFY(q.program.Form4->isVisible());
        QTRY_COMPARE(colors.count(), 1);  // P's own return trip
        QTRY_COMPARE(coefficients.count(), 1);

        QVERIFY(q.Activate(Q));
        QCOMPARE(q.program.Form4->Intensity()->value(), 20);  // still P's
        q.program.Form4->RedBar1()->setValue(77);
        QTRY_COMPARE(colors.count(), 2);
        COMPARE_EXACTLY(r.red, 77.0);
        COMPARE_EXACTLY(r.green, 40.0);
        COMPARE_EXACTLY(r.blue, 50.0);
        COMPARE_EXACTLY(r.intensity, 20.0);
        COMPARE_EXACTLY(r.factor2, 0.05);
        COMPARE_EXACTLY(r.randomizer, 3.0);
        COMPARE_EXACTLY(r.AAStart, 1.25);
        COMPARE_EXACTLY(r.AACopy, 1.25);
        COMPARE_EXACTLY(r.AA, 0.5);
        COMPARE_EXACTLY(r.BB, -0.5);
        COMPARE_EXACTLY(r.startX, 0.125);
        COMPARE_EXACTLY(r.startY, 0.25);
        for (const auto& b : kBoxes) QCOMPARE(r.*b.flag, p.*b.flag);
        QCOMPARE(r.af[1], -0.5);  // the Coefficients dialog did not change
        COMPARE_EXACTLY(p.red, 30.0);
        QCOMPARE(coefficients.count(), 1);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowDialogsTest)
#include "window_dialogs_test.moc"
