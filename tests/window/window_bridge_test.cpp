// Values between a picture window's record and the Parameters dialog,
// through the frame's services and the dialog's settle timer, in the whole
// program.
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

class WindowBridgeTest : public QObject {
    Q_OBJECT

private slots:
    // Measured on the record, inside a running drawing, where the ticks are
    // dispatched by the drawing's message pump.
    void fiveChangesGiveOneApplicationAfterTheLast() {
        Program program;
        program.MainForm->show();
        TForm4* form = program.Form4;
        SettleTimer* settle = form->findChild<SettleTimer*>(QStringLiteral("ColorTimer"));
        int changesMade = 0;
        QList<int> changesBeforeApplication;
        QList<double> redApplied, redBeforeEachChange;
        int depthAtApplication = -1;
        bool watching = false, done = false;
        // Connected after the frame, so it sees the record as just written.
        connect(form, &TForm4::coloursSettled, form, [&] {
            if (!watching) return;
            changesBeforeApplication << changesMade;
            redApplied << program.MainForm->activeChild()->document().v.red;
            depthAtApplication = program.engine.Depth();
        });
        // Once NONAME1 draws and the return trip of its start has settled.
        When([&] { return program.engine.Depth() == 1 && !settle->isActive(); },
             [&] {
                 TMDIChild* child = program.MainForm->activeChild();
                 watching = true;
                 for (int i = 0; i < 5; ++i) {
                     if (i > 0) settle->tick();  // a period between two changes settles nothing
                     redBeforeEachChange << child->document().v.red;
                     form->RedBar1()->setValue(10 * (i + 1));
                     ++changesMade;
                 }
                 // Settled, and nothing more to come.
                 When([&] { return !changesBeforeApplication.isEmpty() && !settle->isActive(); },
                      [&] {
                          done = true;
                          program.MainForm->StopButtonClick();
                      });
             });
        QTRY_VERIFY_WITH_TIMEOUT(done, 30000);
        QCOMPARE(redBeforeEachChange, QList<double>(5, 0.0));
        QCOMPARE(changesBeforeApplication, QList<int>{5});
        COMPARE_EXACTLY(redApplied.first(), 50.0);
        QCOMPARE(depthAtApplication, 1);
    }

    void aBarComesBackScaled_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        // 7 x 0.01 and 7 x 0.2 in double precision would give 0.07000000000000001 and 1.4000000000000001.
        QTest::newRow("Factor2 at 7")
            << "Factor2_bar" << 7 << "factor2" << 0.07 << "Factor2" << Fixed("0.07");
        QTest::newRow("Randomizer at 7")
            << "Randomizer" << 7 << "randomizer" << 1.4 << "RandomFactor" << Fixed("1.40");
        QTest::newRow("Factor2 at 20")
            << "Factor2_bar" << 20 << "factor2" << 0.2 << "Factor2" << Fixed("0.20");
        QTest::newRow("Randomizer at 50")
            << "Randomizer" << 50 << "randomizer" << 10.0 << "RandomFactor" << Fixed("10.00");
        QTest::newRow("Intensity at 64")
            << "Intensity" << 64 << "intensity" << 64.0 << "Factor1" << Fixed("64.00");
        QTest::newRow("Red at -200") << "RedBar1" << -200 << "red" << -200.0 << "RedLabel1"
                                     << Fixed("-200.00");
        QTest::newRow("Green at 150")
            << "GrnBar1" << 150 << "green" << 150.0 << "GrnLabel1" << Fixed("150.00");
        QTest::newRow("Blue at -1") << "BluBar1" << -1 << "blue" << -1.0 << "BluLabel1" << Fixed("-1.00");
    }
    void aBarComesBackScaled() {
        QFETCH(QString, bar);
        QFETCH(int, position);
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, label);
        QFETCH(QString, text);
        ProgramWithWindow q;
        QSignalSpy settled(q.program.Form4, &TForm4::coloursSettled);
        q.program.Form4->findChild<QSlider*>(bar)->setValue(position);
        QVERIFY(settled.wait(kSettleCap));
        COMPARE_EXACTLY(Real(q.child->document().v, field), value);
        QCOMPARE(q.program.Form4->findChild<QLabel*>(label)->text(), text);
        // Each colour by its name: the other two bars still stand at 0.
        for (const char* colour : {"red", "green", "blue"})
            if (field != QLatin1String(colour))
                QCOMPARE(Real(q.child->document().v, QString::fromLatin1(colour)), 0.0);
    }

    void theRecordSetsTheBars_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("randomizer 2.0")
            << "randomizer" << 2.0 << "Randomizer" << 10 << "RandomFactor" << Fixed("2.00");
        QTest::newRow("randomizer 2.2")
            << "randomizer" << 2.2 << "Randomizer" << 11 << "RandomFactor" << Fixed("2.20");
        // The double nearest 2.3 lies below it: times 5 it stays under 11.5 in extended precision.
        QTest::newRow("randomizer 2.3")
            << "randomizer" << 2.3 << "Randomizer" << 11 << "RandomFactor" << Fixed("2.30");
        // ... and the one nearest 0.1 above it, so 0.5 and a little rounds up.
        QTest::newRow("randomizer 0.1")
            << "randomizer" << 0.1 << "Randomizer" << 1 << "RandomFactor" << Fixed("0.10");
        QTest::newRow("randomizer 12 clamped")
            << "randomizer" << 12.0 << "Randomizer" << 50 << "RandomFactor" << Fixed("12.00");
        QTest::newRow("factor2 0.35 clamped")
            << "factor2" << 0.35 << "Factor2_bar" << 20 << "Factor2" << Fixed("0.35");
        // 0.075 is stored a little below: 7 and "0.07".
        QTest::newRow("factor2 0.075")
            << "factor2" << 0.075 << "Factor2_bar" << 7 << "Factor2" << Fixed("0.07");
        QTest::newRow("factor2 0.005")
            << "factor2" << 0.005 << "Factor2_bar" << 1 << "Factor2" << Fixed("0.01");
        QTest::newRow("intensity 10.5 to even")
            << "intensity" << 10.5 << "Intensity" << 10 << "Factor1" << Fixed("10.50");
        QTest::newRow("intensity 11.5 to even")
            << "intensity" << 11.5 << "Intensity" << 12 << "Factor1" << Fixed("11.50");
        QTest::newRow("intensity 100 clamped")
            << "intensity" << 100.0 << "Intensity" << 64 << "Factor1" << Fixed("100.00");
        QTest::newRow("intensity -3 clamped")
            << "intensity" << -3.0 << "Intensity" << 0 << "Factor1" << Fixed("-3.00");
        QTest::newRow("red -2.5 to even")
            << "red" << -2.5 << "RedBar1" << -2 << "RedLabel1" << Fixed("-2.50");
        QTest::newRow("red 250 clamped")
            << "red" << 250.0 << "RedBar1" << 200 << "RedLabel1" << Fixed("250.00");
        QTest::newRow("green -300 clamped")
            << "green" << -300.0 << "GrnBar1" << -200 << "GrnLabel1" << Fixed("-300.00");
        QTest::newRow("blue 37") << "blue" << 37.0 << "BluBar1" << 37 << "BluLabel1" << Fixed("37.00");
    }
    void theRecordSetsTheBars() {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, bar);
        QFETCH(int, position);
        QFETCH(QString, label);
        QFETCH(QString, text);
        ProgramWithWindow q;
        Real(q.child->document().v, field) = value;
        q.program.MainForm->UpdateParameters();
        QCOMPARE(q.program.Form4->findChild<QSlider*>(bar)->value(), position);
        QCOMPARE(q.program.Form4->findChild<QLabel*>(label)->text(), text);
        for (const char* colour : {"RedBar1", "GrnBar1", "BluBar1"})
            if (bar != QLatin1String(colour))
                QCOMPARE(q.program.Form4->findChild<QSlider*>(colour)->value(), 0);
    }

    void spinsComeBackWithNineDecimals() {
        ProgramWithWindow q;
        TFractalRec& v = q.child->document().v;
        v.AA = 0.1234567891234;
        v.AAStart = v.AACopy = 5;  // the spin shows AA, not these
        v.BB = -1.0000000004;
        v.startX = 1.23456789012;
        v.startY = -0.0000000016;
        QSignalSpy settled(q.program.Form4, &TForm4::coloursSettled);
        q.program.MainForm->UpdateParameters();
        QVERIFY(settled.wait(kSettleCap));
        COMPARE_EXACTLY(v.AAStart, 0.123456789);
        COMPARE_EXACTLY(v.AACopy, 0.123456789);
        COMPARE_EXACTLY(v.AA, 0.1234567891234);  // the engine loads the edited A at the next start
        QVERIFY(v.BB == -1.0);
        QVERIFY(v.startX == 1.23456789);
        QVERIFY(v.startY == -0.000000002);
    }

    void aClearedSpinAppliesAsZeroWithTheNextChange() {
        ProgramWithWindow q;
        q.child->document().v.BB = 0.75;
        QSignalSpy settled(q.program.Form4, &TForm4::coloursSettled);
        q.program.MainForm->UpdateParameters();
        QVERIFY(settled.wait(kSettleCap));
        COMPARE_EXACTLY(q.child->document().v.BB, 0.75);
        q.program.Form4->constBB()->findChild<QLineEdit*>()->clear();
        q.program.Form4->Intensity()->setValue(9);
        QVERIFY(settled.wait(kSettleCap));
        COMPARE_EXACTLY(q.child->document().v.intensity, 9.0);
        COMPARE_EXACTLY(q.child->document().v.BB, 0.0);
    }

    void aClickedBoxSetsOnlyItsOwnFlag_data() { AddBoxRows(); }
    void aClickedBoxSetsOnlyItsOwnFlag() {
        QFETCH(QString, box);
        ProgramWithWindow q;
        ClearFlags(q.child->document().v);
        QSignalSpy settled(q.program.Form4, &TForm4::coloursSettled);
        q.program.Form4->findChild<QCheckBox*>(box)->click();
        QVERIFY(settled.wait(kSettleCap));
        for (const auto& b : kBoxes)
            QCOMPARE(q.child->document().v.*b.flag, box == QLatin1String(b.box) ? kTrue : kFalse);
    }

    // Inversion and Polar share one change handler.
    void polarAndInversionAreAppliedApart() {
        ProgramWithWindow q;
        ClearFlags(q.child->document().v);
        QSignalSpy settled(q.program.Form4, &TForm4::coloursSettled);
        q.program.Form4->Inversion()->click();
        q.program.Form4->Polar()->click();
        q.program.Form4->Inversion()->click();
        QVERIFY(settled.wait(kSettleCap));
        QCOMPARE(settled.count(), 1);
        QCOMPARE(q.child->document().v.varPolar, kTrue);
        QCOMPARE(q.child->document().v.varInversion, kFalse);
    }

    void aSetFlagTicksOnlyItsBox_data() { AddBoxRows(); }
    void aSetFlagTicksOnlyItsBox() {
        QFETCH(QString, box);
        ProgramWithWindow q;
        ClearFlags(q.child->document().v);
        for (const auto& b : kBoxes)
            if (box == QLatin1String(b.box)) q.child->document().v.*b.flag = 1;  // any non-zero value is true
        q.program.MainForm->UpdateParameters();
        for (const auto& b : kBoxes)
            QCOMPARE(q.program.Form4->findChild<QCheckBox*>(b.box)->isChecked(), box == QLatin1String(b.box));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowBridgeTest)
#include "window_bridge_test.moc"
